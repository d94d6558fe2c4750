#pragma once
// What the clock knows, apart from any window: the tick every 500 ms, the zone reading, the
// event board, the sky, the label colour and the hands' inputs. Views follow its signals; it
// never touches a widget.

#include "astro/EventBoard.h"
#include "clock/Colour.h"
#include "clock/HandGeometry.h"
#include "platform/BasicTypes.h"
#include "platform/ClockSource.h"
#include "platform/LocaleNames.h"
#include "platform/TimeZoneInformation.h"

#include <QObject>
#include <QString>
#include <QTimer>
#include <cstdint>
#include <string>

namespace horvane {

class LongLat;

// The interval between two ticks, milliseconds.
inline constexpr int kTickIntervalMs = 500;

class ClockModel : public QObject {
    Q_OBJECT

public:
    // store: the run's settings, read for the place and the hand switches at every minute.
    ClockModel(LongLat& store, ClockSource clock = ReadSystemClock,
               TimeZoneSource zoneSource = GetTimeZoneInformation, QObject* parent = nullptr);

    // Starts the timer and runs the first tick at once, refreshing everything.
    void Start();
    // One tick: a new minute (or a new day at the same minute, or a forced refresh) refreshes
    // the zone, the board and the slow values; every tick moves the fast hands.
    void Tick();
    // The next tick refreshes everything, the place included: after the place was changed.
    void ForceRefresh();

    bool Paused() const { return !timer_.isActive(); }
    int TickInterval() const { return timer_.interval(); }
    // Stops or restarts the timer; nothing moves while paused.
    void TogglePause();
    // Stops the clock for good. A running clock saves the settings and answers true; a paused
    // one leaves unsaved what changed since the last save and answers false.
    bool Finish();

    // What the last tick left.
    const std::string& ZoneName() const { return zoneName_; }
    std::int32_t UtcOffsetMinutes() const { return utcOffsetMinutes_; }
    const EventBoard& Board() const { return board_; }
    const ::horvane::EventTimesOfDay& TimesOfDay() const { return board_.timesOfDay; }
    std::int16_t SkyLevel() const { return skyLevel_; }
    Colour SkyColour() const;
    Colour LabelColour() const { return labelColour_; }
    bool SouthernHemisphere() const;
    HandSwitches Hands() const;
    DateSerial Now() const { return now_; }
    SecondsOfDay Seconds() const { return sec_; }
    // Minute of the last full refresh (0..1439), or -1 until the next tick refreshes all.
    std::int32_t MinuteStamp() const { return minuteStamp_; }
    const std::string& Place() const;
    double Latitude() const;
    double Longitude() const;
    // "Mon Dec 7 26 1:05pm Central Standard Time", as the last minute wrote it.
    const QString& TimeLine() const { return timeLine_; }
    // "Day length 9h 08m (−1m 02s)" of the board's date.
    const QString& DayLength() const { return dayLength_; }

signals:
    // The zone and the board were read afresh, at a new minute.
    void boardRefreshed();
    // The sky's level changed: at a new minute, or by the second in a twilight ramp.
    void skyChanged();
    // The slow values of a new minute are ready: the label colour, the time line and the
    // inputs of the face and the slow hands. placeChanged: the place may be another one.
    void minuteRefreshed(bool placeChanged);
    // Every tick, last: the fast hands' inputs are the tick's.
    void ticked();
    void pausedChanged(bool paused);

private:
    void RefreshZoneAndBoard();
    void UpdateDayLength();
    void UpdateSky();
    void RefreshMinute();

    LongLat& store_;
    ClockSource clock_;
    TimeZoneSource zoneSource_;
    LocaleNames names_;
    QTimer timer_;

    std::string zoneName_;
    std::int32_t utcOffsetMinutes_ = 0;
    EventBoard board_;
    std::int16_t skyLevel_ = -1; // no level yet: the first tick reports one
    Colour labelColour_ = kBlack;
    DateSerial now_ = 0;
    SecondsOfDay sec_ = 0;
    std::int32_t minuteStamp_ = 0;
    // Local calendar day of the last full refresh: with the minute stamp it tells a clock that
    // jumped to the same minute of another day.
    std::int64_t refreshedDay_ = 0;
    QString timeLine_;
    QString dayLength_;
    // What dayLength_ was worked out for: the local day, the offset and the place.
    struct DayLengthKey {
        std::int64_t day = -1;
        std::int32_t utcOffsetMinutes = 0;
        double latitude = 0;
        double longitude = 0;
        bool operator==(const DayLengthKey&) const = default;
    };
    DayLengthKey dayLengthKey_;
};

} // namespace horvane
