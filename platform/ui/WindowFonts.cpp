#include "platform/ui/WindowFonts.h"

#include <QFontDatabase>

namespace horvane {
namespace {

// fonts-wine installs Tahoma outside fontconfig's folders.
const char* const kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                    "/usr/share/wine/fonts/tahomabd.ttf"};

bool tahomaLoaded = false;

} // namespace

bool LoadTahomaFonts() {
    if (tahomaLoaded)
        return true;
    if (QFontDatabase::hasFamily(QStringLiteral("Tahoma")))
        return tahomaLoaded = true;
    bool loaded = true;
    for (const char* file : kTahomaFiles)
        loaded = QFontDatabase::addApplicationFont(QString::fromUtf8(file)) >= 0 && loaded;
    tahomaLoaded = loaded;
    return tahomaLoaded;
}

QString WindowFontFamily() {
    return tahomaLoaded ? QStringLiteral("Tahoma") : QStringLiteral("DejaVu Sans");
}

QFont WindowFont(double pointSize, bool bold) {
    LoadTahomaFonts();
    QFont font(WindowFontFamily());
    font.setPointSizeF(pointSize);
    font.setBold(bold);
    return font;
}

} // namespace horvane
