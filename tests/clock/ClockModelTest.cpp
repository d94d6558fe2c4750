// The clock model on its own, with no widget and no QApplication: which signals each kind of
// tick sends, in which order, and what it leaves for the views.

#include "clock/ClockModel.h"
#include "astro/DateSerial.h"
#include "settings/LongLat.h"
#include "testing/ClockWindowDoubles.h"
#include "testing/CoreApplication.h"
#include "testing/TemporaryHives.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace horvane;
using namespace horvane::test_support;

namespace {

using Signals = std::vector<std::string>;

class ClockModelTicks : public ::testing::Test {
protected:
    ClockModelTicks() {
        CoreTestApplication();
        store_.dLatitude = 43.089; // Shorewood, Wisconsin
        store_.dLongitude = -87.888;
        store_.sLocation = "Shorewood";
        QObject::connect(&model_, &ClockModel::boardRefreshed,
                         [this] { heard_.push_back("board"); });
        QObject::connect(&model_, &ClockModel::skyChanged, [this] { heard_.push_back("sky"); });
        QObject::connect(&model_, &ClockModel::minuteRefreshed, [this](bool place) {
            heard_.push_back(place ? "minute+place" : "minute");
        });
        QObject::connect(&model_, &ClockModel::ticked, [this] { heard_.push_back("tick"); });
        QObject::connect(&model_, &ClockModel::pausedChanged,
                         [this](bool paused) { heard_.push_back(paused ? "paused" : "resumed"); });
    }

    // What one action made the model send.
    template <class Action> Signals Heard(Action action) {
        heard_.clear();
        action();
        return heard_;
    }
    Signals TickAt(int hour, int minute, int second, int day = 4) {
        return Heard([&] {
            clock_.Set(2026, 12, day, hour, minute, second);
            model_.Tick();
        });
    }

    TemporaryHives hives_;
    LongLat store_;
    SettableClock clock_;
    bool daylight_ = false;
    ClockModel model_{store_, clock_.Source(), [this](TimeZoneInformation& info) {
                          CentralStandardTime()(info);
                          info.DaylightBias = -60;
                          const std::u16string summer = u"Central Daylight Time";
                          std::copy(summer.begin(), summer.end(), info.DaylightName);
                          return daylight_ ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
                      }};
    Signals heard_;
};

} // namespace

TEST_F(ClockModelTicks, SendTheTicksStepsInOrderAndOnlyWhatChanged) {
    const Signals full{"board", "sky", "minute", "tick"};
    const Signals fullSameSky{"board", "minute", "tick"};

    clock_.Set(2026, 12, 4, 10, 0, 0);
    EXPECT_EQ(Heard([&] { model_.Start(); }), (Signals{"board", "sky", "minute+place", "tick"}));
    EXPECT_EQ(model_.MinuteStamp(), 600);
    EXPECT_EQ(TickAt(10, 0, 30), Signals{"tick"}); // the same minute
    EXPECT_EQ(TickAt(10, 1, 0), fullSameSky);      // by day the sky stays as it is
    EXPECT_EQ(TickAt(10, 1, 0, 5), fullSameSky);   // a jump to the same minute a day on
    EXPECT_EQ(TickAt(23, 59, 59, 5), full);        // night falls at once: the sky changes
    EXPECT_EQ(TickAt(0, 0, 0, 6), fullSameSky);    // midnight
    EXPECT_EQ(model_.Now(), ToDateSerial(CivilDateTime{2026, 12, 6, 0, 0, 0}));

    // In the evening twilight the sky changes by the second, between refreshes.
    const int dusk = (model_.TimesOfDay().SunsetSec + 10 * 60) / 60 * 60;
    EXPECT_EQ(TickAt(dusk / 3600, dusk / 60 % 60, 0), full);
    const std::int16_t before = model_.SkyLevel();
    EXPECT_EQ(TickAt(dusk / 3600, dusk / 60 % 60, 40), (Signals{"sky", "tick"}));
    EXPECT_LT(model_.SkyLevel(), before);

    // Daylight saving comes in force: the next minute reads the zone afresh.
    daylight_ = true;
    EXPECT_EQ(TickAt(dusk / 3600, dusk / 60 % 60, 50), (Signals{"sky", "tick"}));
    EXPECT_EQ(model_.UtcOffsetMinutes(), -360);
    TickAt(dusk / 3600, dusk / 60 % 60 + 1, 0);
    EXPECT_EQ(std::pair(model_.UtcOffsetMinutes(), model_.ZoneName()),
              std::pair(-300, std::string("Central Daylight Time")));
    EXPECT_TRUE(model_.TimeLine().endsWith("Central Daylight Time"));

    // A place change shows from the next tick, which refreshes everything; an hour later by the
    // clock, it is day again at both places.
    store_.dLatitude = -33.87;
    model_.ForceRefresh();
    EXPECT_EQ(TickAt(dusk / 3600, dusk / 60 % 60 + 1, 10),
              (Signals{"board", "minute+place", "tick"}));
    EXPECT_TRUE(model_.SouthernHemisphere());
}

TEST_F(ClockModelTicks, PausingStopsTheTickAndFinishingSavesOnlyARunningClock) {
    clock_.Set(2026, 12, 4, 10, 0, 0);
    model_.Start();
    EXPECT_EQ(model_.TickInterval(), kTickIntervalMs);
    EXPECT_EQ(Heard([&] { model_.TogglePause(); }), Signals{"paused"});
    EXPECT_TRUE(model_.Paused());
    store_.bMoonHand = False;
    EXPECT_FALSE(model_.Finish()); // paused: nothing is saved
    LongLat stored;
    EXPECT_FALSE(stored.ReadSettings());

    EXPECT_EQ(Heard([&] { model_.TogglePause(); }), Signals{"resumed"});
    EXPECT_TRUE(model_.Finish());
    EXPECT_TRUE(model_.Paused());
    ASSERT_TRUE(stored.ReadSettings());
    EXPECT_EQ(std::pair(stored.sLocation, stored.bMoonHand),
              std::pair(std::string("Shorewood"), False));
}
