#include "platform/ui/FormDesign.h"

#include "platform/BasicTypes.h"
#include "platform/ui/ScreenDensity.h"

#include <QWidget>

namespace horvane {

QRect TwipsRect(const QWidget& widget, int left, int top, int width, int height) {
    const TwipsPerPixel density = ScreenTwipsPerPixel(widget.screen());
    const auto across = [&](int twips) { return RoundEvenToInt32(twips / density.x); };
    const auto down = [&](int twips) { return RoundEvenToInt32(twips / density.y); };
    return QRect(across(left), down(top), across(width), down(height));
}

} // namespace horvane
