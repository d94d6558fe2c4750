#include "platform/ui/FormDesign.h"

#include "platform/BasicTypes.h"

#include <QFontDatabase>
#include <QWidget>

namespace horvane {
namespace {

// fonts-wine installs Tahoma outside fontconfig's folders.
constexpr const char* kTahomaFile = "/usr/share/wine/fonts/tahoma.ttf";
constexpr double kFormFontPoints = 8.25;

int TwipsToPixels(int twips, int dotsPerInch) {
    return RoundEvenToInt32(twips * dotsPerInch / kTwipsPerInch);
}

bool TahomaAvailable() {
    static const bool available = QFontDatabase::hasFamily(QStringLiteral("Tahoma")) ||
                                  QFontDatabase::addApplicationFont(kTahomaFile) >= 0;
    return available;
}

} // namespace

QRect TwipsRect(const QWidget& widget, int left, int top, int width, int height) {
    const int dpiX = widget.logicalDpiX();
    const int dpiY = widget.logicalDpiY();
    return QRect(TwipsToPixels(left, dpiX), TwipsToPixels(top, dpiY), TwipsToPixels(width, dpiX),
                 TwipsToPixels(height, dpiY));
}

QFont FormFont() {
    QFont font(TahomaAvailable() ? QStringLiteral("Tahoma") : QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(kFormFontPoints);
    return font;
}

} // namespace horvane
