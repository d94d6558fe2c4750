#include "resources/generator/ArtworkFonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace horvane {
namespace {

// fonts-wine installs Tahoma outside fontconfig's folders.
const char* const kTahomaFiles[] = {"/usr/share/wine/fonts/tahoma.ttf",
                                    "/usr/share/wine/fonts/tahomabd.ttf"};

bool tahomaLoaded = false;

} // namespace

bool LoadArtworkFonts() {
    if (tahomaLoaded)
        return true;
    bool loaded = true;
    for (const char* file : kTahomaFiles)
        loaded = QFontDatabase::addApplicationFont(QString::fromUtf8(file)) >= 0 && loaded;
    tahomaLoaded = loaded;
    return tahomaLoaded;
}

QFont ArtworkFont(int pixelSize, bool bold) {
    QFont font(tahomaLoaded ? QStringLiteral("Tahoma") : QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    // The same glyphs on every run and every screen: full hinting, grey antialiasing.
    font.setHintingPreference(QFont::PreferFullHinting);
    font.setStyleStrategy(
        QFont::StyleStrategy(QFont::PreferAntialias | QFont::NoSubpixelAntialias));
    return font;
}

} // namespace horvane
