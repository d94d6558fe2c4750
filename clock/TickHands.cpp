#include "clock/TickHands.h"

#include "clock/TickValues.h"

namespace horvane {
namespace {

void Place(HandLines& lines, const HandLengthArray& lengths, const HandSwitches& on, Hand hand,
           HandValue where, HandPivot pivot) {
    if (on[hand])
        PlaceHand(lines[hand], where.value, where.period, lengths[hand], pivot.x, pivot.y);
}

} // namespace

void ShowHands(HandLines& lines, const HandSwitches& on) {
    for (int hand = 0; hand < kHandCount; ++hand)
        lines[hand].visible = on[hand];
}

void PlaceSlowHands(HandLines& lines, const HandLengthArray& lengths, const HandSwitches& on,
                    DateSerial now, SecondsOfDay sec, HandPivot pivot) {
    Place(lines, lengths, on, WeekHand, WeekHandValue(now, sec), pivot);
    Place(lines, lengths, on, MoonHand, MoonHandValue(now), pivot);
    Place(lines, lengths, on, YearHand, YearHandValue(now), pivot);
}

void PlaceFastHands(HandLines& lines, const HandLengthArray& lengths, const HandSwitches& on,
                    SecondsOfDay sec, const EventTimesOfDay& times, HandPivot pivot) {
    const std::int32_t t = SecondsSinceSolarMidnight(sec, times);
    Place(lines, lengths, on, SecondHand, SecondHandValue(t), pivot);
    Place(lines, lengths, on, MinuteHand, MinuteHandValue(t), pivot);
    Place(lines, lengths, on, HourHand, HourHandValue(t), pivot);
}

} // namespace horvane
