#pragma once
// What the tick computes from the clock and the event times, with no window in it: the sky's
// brightness, the label colour, the hands' values and the time line.

#include "astro/EventTimesOfDay.h"
#include "clock/Colour.h"
#include "platform/BasicTypes.h"
#include "platform/LocaleNames.h"

#include <cstdint>
#include <string>

namespace horvane {

// Where a hand points: value/period of a full turn clockwise from the top.
struct HandValue {
    double value = 0;
    double period = 1;
};

// The sky level of the night, when no twilight brightens it.
inline constexpr std::int16_t kNightSkyLevel = 20;

// sec lies in the morning or the evening twilight ramp, where the sky colour changes by the
// second; where the sun's course is followed, the sun stands in the civil twilight then.
bool InTwilightRamp(SecondsOfDay sec, const EventTimesOfDay& times);

// The brightness of the window's background, 20 at night to 230 by day, ramping through the
// twilights by time, or by the sun's altitude where its course is followed.
std::int16_t SkyLevelAt(SecondsOfDay sec, const EventTimesOfDay& times);

// The window's background colour for a sky level: deep blue at night, light blue by day.
Colour SkyColour(std::int16_t skyLevel);

// White or black text, whichever stands out more against the sky.
Colour LabelColourFor(std::int16_t skyLevel);

// The week hand: Sunday noon at the top, a turn a week.
HandValue WeekHandValue(DateSerial now, SecondsOfDay sec);

// The moon's phase, 0 <= phase < 1, with full moon at 0 and at the top of the face.
double MoonPhase(DateSerial now);
HandValue MoonHandValue(DateSerial now);

// The year hand: days since 21 June 00:00 of now's year (negative before it), 365 to a turn.
HandValue YearHandValue(DateSerial now);

// "ddd mmm d yy h:nnam/pm " followed directly by the zone's name.
std::string TimeLineText(DateSerial now, const LocaleNames& names, const std::string& zoneName);

// Seconds since solar midnight; negative while the clock is still before it.
std::int32_t SecondsSinceSolarMidnight(SecondsOfDay sec, const EventTimesOfDay& times);

// The three fast hands, from the seconds since solar midnight.
HandValue SecondHandValue(std::int32_t sinceSolarMidnight);
HandValue MinuteHandValue(std::int32_t sinceSolarMidnight);
HandValue HourHandValue(std::int32_t sinceSolarMidnight);

} // namespace horvane
