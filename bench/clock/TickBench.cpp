// The clock window's tick: a normal one (the three fast hands) and the full refresh of a new
// minute, on a real window of the offscreen platform.

#include "clock/frmMain.h"
#include "settings/LongLat.h"
#include "testing/ClockWindowWorld.h"

#include <benchmark/benchmark.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

constexpr int kMorning = 10 * 3600; // daylight: no twilight recolouring

struct RunningClock {
    RunningClock() : window(*(owned = world.Start())) {
        window.Timer1.stop(); // ticks come from the benchmark only
    }
    ClockWindowWorld world;
    std::unique_ptr<frmMain> owned;
    frmMain& window;
};

// Within one minute: reads the clock and moves the second, minute and hour hands.
void NormalTick(benchmark::State& state) {
    OffscreenApplication();
    RunningClock running;
    int second = 0;
    for (auto _ : state) {
        running.world.clock.SetSecondsOfDay(kMorning + second);
        second = (second + 1) % 60;
        running.window.Timer1_Timer();
    }
}
BENCHMARK(NormalTick);

// A new minute: zone, board, sky, labels, face, slow hands and time line.
void FullRefreshTick(benchmark::State& state) {
    OffscreenApplication();
    RunningClock running;
    int minute = 0;
    for (auto _ : state) {
        running.world.clock.SetSecondsOfDay(kMorning + minute * 60);
        minute = (minute + 1) % 600;
        running.window.Timer1_Timer();
    }
}
BENCHMARK(FullRefreshTick)->Unit(benchmark::kMicrosecond);

} // namespace
