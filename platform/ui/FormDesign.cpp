#include "platform/ui/FormDesign.h"

#include "platform/BasicTypes.h"
#include "platform/ui/WindowFonts.h"

#include <QWidget>

namespace horvane {
namespace {

constexpr double kFormFontPoints = 8.25;

int TwipsToPixels(int twips, int dotsPerInch) {
    return RoundEvenToInt32(twips * dotsPerInch / kTwipsPerInch);
}

} // namespace

QRect TwipsRect(const QWidget& widget, int left, int top, int width, int height) {
    const int dpiX = widget.logicalDpiX();
    const int dpiY = widget.logicalDpiY();
    return QRect(TwipsToPixels(left, dpiX), TwipsToPixels(top, dpiY), TwipsToPixels(width, dpiX),
                 TwipsToPixels(height, dpiY));
}

QFont FormFont() {
    return WindowFont(kFormFontPoints);
}

} // namespace horvane
