#pragma once
// The hands as the tick sets them: shown by their switches, the week, moon and year hands
// placed once a minute and the second, minute and hour hands on every tick.

#include "astro/EventTimesOfDay.h"
#include "clock/HandGeometry.h"
#include "platform/BasicTypes.h"
#include "resources/DialGeometry.h"

namespace horvane {

// Where the hands turn, in face pixels.
struct HandPivot {
    int x = kDialCentre;
    int y = kDialCentre;
};

// Each hand's line is shown or hidden as its switch says.
void ShowHands(HandLines& lines, const HandSwitches& on);

// The week, moon and year hands, each only while it is on.
void PlaceSlowHands(HandLines& lines, const HandLengthArray& lengths, const HandSwitches& on,
                    DateSerial now, SecondsOfDay sec, HandPivot pivot);

// The second, minute and hour hands from the seconds since solar midnight, each only while it
// is on.
void PlaceFastHands(HandLines& lines, const HandLengthArray& lengths, const HandSwitches& on,
                    SecondsOfDay sec, const EventTimesOfDay& times, HandPivot pivot);

} // namespace horvane
