#include "clock/ClockModel.h"

#include "astro/DateSerial.h"
#include "astro/DayLength.h"
#include "astro/TimeUnits.h"
#include "astro/TimeZone.h"
#include "clock/FaceRules.h"
#include "clock/TickValues.h"
#include "platform/ui/HandlerGuard.h"
#include "settings/LongLat.h"

namespace horvane {
namespace {

constexpr std::int32_t kForcedRefresh = -1;

} // namespace

ClockModel::ClockModel(LongLat& store, ClockSource clock, TimeZoneSource zoneSource,
                       QObject* parent)
    : QObject(parent), store_(store), clock_(std::move(clock)), zoneSource_(std::move(zoneSource)),
      names_(UserLocaleNames()) {
    timer_.setInterval(kTickIntervalMs);
    connect(&timer_, &QTimer::timeout, this, Guarded([this] { Tick(); }));
}

// Running before the first tick, so that nothing it shows is marked paused; the timer first
// fires from the event loop.
void ClockModel::Start() {
    minuteStamp_ = kForcedRefresh;
    timer_.start();
    Tick();
}

void ClockModel::ForceRefresh() {
    minuteStamp_ = kForcedRefresh;
}

void ClockModel::Tick() {
    const LocalClockReading reading = clock_();
    sec_ = SecondsOfDay(Int(SecondsSinceMidnight(reading)));
    now_ = ToDateSerial(reading);
    const std::int64_t day = DayNumberOf(now_);
    const bool newMinute = sec_ / kSecondsPerMinute != minuteStamp_ || day != refreshedDay_;
    if (newMinute)
        RefreshZoneAndBoard();
    if (newMinute || InTwilightRamp(sec_, board_.timesOfDay))
        UpdateSky();
    if (newMinute) {
        RefreshMinute();
        refreshedDay_ = day;
    }
    emit ticked();
}

void ClockModel::RefreshZoneAndBoard() {
    const ZoneReading zone = ReadTimeZone(zoneSource_);
    zoneName_ = zone.ZoneName;
    utcOffsetMinutes_ = zone.UtcOffsetMinutes;
    board_ = ComputeEventBoard(now_, utcOffsetMinutes_, Latitude(), Longitude());
    UpdateDayLength();
    emit boardRefreshed();
}

// The day's length changes with the date, the offset and the place only: it is worked out once
// for each, not at every minute. The offset of now stands for the day before's too.
void ClockModel::UpdateDayLength() {
    const DayLengthKey key{DayNumberOf(now_), utcOffsetMinutes_, Latitude(), Longitude()};
    if (key == dayLengthKey_)
        return;
    dayLengthKey_ = key;
    dayLength_ = QString::fromStdString(DayLengthText(
        ComputeDayLength(now_, utcOffsetMinutes_, utcOffsetMinutes_, Latitude(), Longitude())));
}

void ClockModel::UpdateSky() {
    const std::int16_t level = SkyLevelAt(sec_, board_.timesOfDay);
    if (level == skyLevel_)
        return;
    skyLevel_ = level;
    emit skyChanged();
}

void ClockModel::RefreshMinute() {
    const bool placeChanged = minuteStamp_ == kForcedRefresh;
    labelColour_ = LabelColourFor(skyLevel_);
    // The face's pass puts negative sun times a day on; the ticks after it read them so.
    NormaliseSunTimes(board_.timesOfDay);
    timeLine_ = QString::fromStdString(TimeLineText(now_, names_, zoneName_));
    minuteStamp_ = sec_ / kSecondsPerMinute;
    emit minuteRefreshed(placeChanged);
}

void ClockModel::TogglePause() {
    if (timer_.isActive())
        timer_.stop();
    else
        timer_.start();
    emit pausedChanged(Paused());
}

bool ClockModel::Finish() {
    const bool running = timer_.isActive();
    timer_.stop();
    if (running)
        store_.SaveSettings();
    return running;
}

Colour ClockModel::SkyColour() const {
    return ::horvane::SkyColour(skyLevel_);
}

bool ClockModel::SouthernHemisphere() const {
    return Latitude() < 0;
}

HandSwitches ClockModel::Hands() const {
    return {store_.bSecondHand != False, store_.bMinuteHand != False, store_.bHourHand != False,
            store_.bWeekHand != False,   store_.bMoonHand != False,   store_.bYearHand != False};
}

const std::string& ClockModel::Place() const {
    return store_.sLocation;
}

double ClockModel::Latitude() const {
    return store_.dLatitude;
}

double ClockModel::Longitude() const {
    return store_.dLongitude;
}

} // namespace horvane
