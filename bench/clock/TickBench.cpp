// The clock window's tick: a normal one (the three fast hands) and the full refresh of a new
// minute, on a real window of the offscreen platform.

#include "app/DesktopPresence.h"
#include "clock/frmMain.h"
#include "settings/LongLat.h"
#include "testing/ClockWindowWorld.h"

#include <benchmark/benchmark.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

constexpr int kMorning = 10 * 3600; // daylight: no twilight recolouring

struct RunningClock {
    // The benchmark runs no event loop: its timer never fires, ticks come from the loop only.
    RunningClock() : window(*(owned = world.Start())) {}
    ClockWindowWorld world;
    std::unique_ptr<frmMain> owned;
    frmMain& window;
};

// Ticks within one morning minute, a second apart.
void TickThroughAMorningMinute(benchmark::State& state, RunningClock& running) {
    int second = 0;
    for (auto _ : state) {
        running.world.clock.SetSecondsOfDay(kMorning + second);
        second = (second + 1) % 60;
        running.window.Model().Tick();
    }
}

// Within one minute: reads the clock and moves the second, minute and hour hands.
void NormalTick(benchmark::State& state) {
    OffscreenApplication();
    RunningClock running;
    TickThroughAMorningMinute(state, running);
}
BENCHMARK(NormalTick);

// Within one minute of the polar twilight's noon (69.6N 18.9E in December): the sky follows
// the sun's sampled altitude and is recoloured on every tick.
void NormalTickInPolarTwilight(benchmark::State& state) {
    OffscreenApplication();
    RunningClock running;
    running.world.store.dLatitude = 69.6;
    running.world.store.dLongitude = 18.9;
    running.world.clock.Set(2026, 12, 15, 4, 30, 0); // 11:30 at 18.9E, on the window's Central time
    running.window.Model().ForceRefresh();
    running.window.Model().Tick();
    int second = 0;
    for (auto _ : state) {
        running.world.clock.Set(2026, 12, 15, 4, 30, second);
        second = (second + 1) % 60;
        running.window.Model().Tick();
    }
}
BENCHMARK(NormalTickInPolarTwilight);

// The same with every reminder on and the program's desktop presence following the clock: the
// reminders are checked at every tick.
void NormalTickWithReminders(benchmark::State& state) {
    OffscreenApplication();
    RunningClock running;
    ReminderMinutes everyEvent;
    everyEvent.before.fill(10);
    running.world.store.SaveReminders(everyEvent);
    DesktopPresence presence(running.window, running.world.store, running.world.prompt);
    TickThroughAMorningMinute(state, running);
}
BENCHMARK(NormalTickWithReminders);

// A new minute: zone, board, sky, labels, face, slow hands and time line.
void FullRefreshTick(benchmark::State& state) {
    OffscreenApplication();
    RunningClock running;
    int minute = 0;
    for (auto _ : state) {
        running.world.clock.SetSecondsOfDay(kMorning + minute * 60);
        minute = (minute + 1) % 600;
        running.window.Model().Tick();
    }
}
BENCHMARK(FullRefreshTick)->Unit(benchmark::kMicrosecond);

} // namespace
