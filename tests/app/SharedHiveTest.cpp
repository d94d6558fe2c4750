// Two clocks running at once on one hive, each a process of its own, each saving places
// through its Change Location dialog while the other does the same.

#include "tests/support/ChildClock.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <QLabel>
#include <algorithm>
#include <array>
#include <gmock/gmock.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

constexpr int kPlacesPerClock = 15;

std::string PlaceName(int clock, int place) {
    return "Clock " + std::to_string(clock) + " place " + std::to_string(place);
}

// Saves its places one after another, the clock ticking between them; answers 0 when every
// save closed the dialog and the window then showed the place saved.
int SavePlaces(frmMain& window, int clock, Handshake& handshake) {
    window.show();
    handshake.TellParent();
    if (!handshake.AwaitParent())
        return 2;
    for (int place = 0; place < kPlacesPerClock; ++place) {
        const std::string name = PlaceName(clock, place);
        if (!SavePlaceThroughDialog(window, name))
            return 3;
        window.Timer1_Timer();
        if (window.lblLocation->text().toStdString() != name)
            return 4;
    }
    window.close();
    return 0;
}

} // namespace

TEST(SharedHive, TwoClocksSavingPlacesAtOnceBothWorkAndLoseNone) {
    TemporaryHives hives;
    LongLat().LoadSettings(); // the first run, before either clock

    std::array<Handshake, 2> handshakes;
    std::array<pid_t, 2> clocks{};
    for (int clock = 0; clock < 2; ++clock) {
        clocks[clock] = StartChildClock(hives.Folder() / ("shown" + std::to_string(clock)),
                                        [clock, &handshakes](HorvaneApplication&, frmMain& window) {
                                            return SavePlaces(window, clock, handshakes[clock]);
                                        });
    }
    for (Handshake& handshake : handshakes)
        ASSERT_TRUE(handshake.AwaitChild()); // both started: they run side by side from here
    for (Handshake& handshake : handshakes)
        handshake.TellChild();
    for (int clock = 0; clock < 2; ++clock) {
        EXPECT_EQ(ExitStatus(clocks[clock]), 0) << "clock " << clock;
        EXPECT_EQ(ReadFileBytes(hives.Folder() / ("shown" + std::to_string(clock))), "");
    }

    const std::vector<std::string> stored = RawSubKeys(HKEY_CURRENT_USER, kLocationsKey);
    EXPECT_EQ(stored.size(), 23u + 2 * kPlacesPerClock);
    for (int clock = 0; clock < 2; ++clock)
        for (int place = 0; place < kPlacesPerClock; ++place)
            EXPECT_THAT(stored, ::testing::Contains(PlaceName(clock, place)));
    // The settings hold the last place one of them saved.
    const RawValue current = ReadRaw(HKEY_CURRENT_USER, kSettingsKey, "Location");
    EXPECT_THAT((std::array{PlaceName(0, kPlacesPerClock - 1), PlaceName(1, kPlacesPerClock - 1)}),
                ::testing::Contains(std::string(current.data.begin(), current.data.end() - 1)));
}
