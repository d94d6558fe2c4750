#include "platform/ui/ScreenDensity.h"

#include <QScreen>

namespace horvane {

TwipsPerPixel ScreenTwipsPerPixel(const QScreen* screen) {
    if (screen == nullptr || screen->logicalDotsPerInchX() <= 0 ||
        screen->logicalDotsPerInchY() <= 0)
        return {};
    return {kTwipsPerInch / screen->logicalDotsPerInchX(),
            kTwipsPerInch / screen->logicalDotsPerInchY()};
}

} // namespace horvane
