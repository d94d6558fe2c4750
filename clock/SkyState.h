#pragma once
// The sky the tray picture shows: the sun's state now, and at night the moon's phase to the
// eighth, so that the picture changes only a few times a day.

#include "astro/EventTimesOfDay.h"
#include "platform/BasicTypes.h"
#include "resources/SkyPicture.h"

namespace horvane {

// The nearest of the eight phases the pictures show to phase (0 <= phase < 1, 0 full, as
// MoonPhase answers it).
int MoonPhaseBucket(double phase);

// Twilight while the sky ramps; otherwise day where the sky is brighter than at night.
SkyState SkyStateAt(SecondsOfDay sec, const EventTimesOfDay& times);

// The picture for local time now, sec seconds into its day; the moon's phase counts at night
// only.
SkyPicture SkyPictureAt(DateSerial now, SecondsOfDay sec, const EventTimesOfDay& times);

} // namespace horvane
