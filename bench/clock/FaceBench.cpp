// One pass of the face, as the clock runs it once a minute, and the whole picture the almanac
// writes.

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "clock/FacePicture.h"
#include "clock/FaceRenderer.h"
#include "resources/Artwork.h"

#include <benchmark/benchmark.h>

using namespace horvane;

namespace {

const EventTimesOfDay kTimes{600, 20000, 22000, 70000, 72000, 30000, 60000};
const Colour kSky = Rgb(158, 158, 226);

// Every later pass: the week, hour and minute rings turned, the moon-up ring, the band.
void RenderFacePass(benchmark::State& state) {
    FaceRenderer renderer(DialArtwork());
    EventTimesOfDay times = kTimes;
    renderer.RenderFace(times, kAllHandsOn, kSky);
    int solarMidnight = 0;
    for (auto _ : state) {
        times.SolarMidnightSec = solarMidnight;
        solarMidnight = (solarMidnight + 977) % kSecondsPerDay;
        renderer.RenderFace(times, kAllHandsOn, kSky);
        benchmark::DoNotOptimize(renderer.Face().constBits());
    }
}
BENCHMARK(RenderFacePass)->Unit(benchmark::kMicrosecond);

// The same pass in the polar twilight (69.6N 18.9E in December), where the band follows the
// sun's sampled altitude.
void RenderFacePassFollowingTheSun(benchmark::State& state) {
    FaceRenderer renderer(DialArtwork());
    EventTimesOfDay times =
        ComputeEventBoard(ToDateSerial({2026, 12, 15, 11, 30, 0}), 60, 69.6, 18.9).timesOfDay;
    renderer.RenderFace(times, kAllHandsOn, kSky);
    for (auto _ : state) {
        renderer.RenderFace(times, kAllHandsOn, kSky);
        benchmark::DoNotOptimize(renderer.Face().constBits());
    }
}
BENCHMARK(RenderFacePassFollowingTheSun)->Unit(benchmark::kMicrosecond);

// Start-up: the buffer filled from the dial, the tables built, the year ring turned too.
void FirstFacePass(benchmark::State& state) {
    const QImage dial = DialArtwork();
    for (auto _ : state) {
        FaceRenderer renderer(dial);
        EventTimesOfDay times = kTimes;
        renderer.RenderFace(times, kAllHandsOn, kSky);
        benchmark::DoNotOptimize(renderer.Face().constBits());
    }
}
BENCHMARK(FirstFacePass)->Unit(benchmark::kMicrosecond);

void ComposeWholeFacePicture(benchmark::State& state) {
    const DateSerial now = ToDateSerial({2026, 12, 6, 15, 42, 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeFacePicture(now, kTimes));
}
BENCHMARK(ComposeWholeFacePicture)->Unit(benchmark::kMicrosecond);

} // namespace
