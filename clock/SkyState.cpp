#include "clock/SkyState.h"

#include "clock/TickValues.h"

namespace horvane {

int MoonPhaseBucket(double phase) {
    const int bucket = int(Int(phase * kMoonPhaseBuckets + 0.5));
    return bucket % kMoonPhaseBuckets;
}

SkyState SkyStateAt(SecondsOfDay sec, const EventTimesOfDay& times) {
    if (InTwilightRamp(sec, times))
        return SkyState::Twilight;
    return SkyLevelAt(sec, times) > kNightSkyLevel ? SkyState::Day : SkyState::Night;
}

SkyPicture SkyPictureAt(DateSerial now, SecondsOfDay sec, const EventTimesOfDay& times) {
    const SkyState state = SkyStateAt(sec, times);
    return {state, state == SkyState::Night ? MoonPhaseBucket(MoonPhase(now)) : 0};
}

} // namespace horvane
