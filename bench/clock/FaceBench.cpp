// One pass of the face, as the clock runs it once a minute, and the whole picture the almanac
// writes.

#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "clock/FacePicture.h"
#include "clock/FaceRenderer.h"
#include "resources/Artwork.h"
#include "testing/WidgetApplication.h"

#include <benchmark/benchmark.h>

using namespace horvane;
using horvane::test_support::OffscreenApplication;

namespace {

const EventTimesOfDay kTimes{600, 20000, 22000, 70000, 72000, 30000, 60000};
const Colour kSky = Rgb(158, 158, 226);

// The scale a benchmark draws at: its argument in hundredths of a device pixel per face pixel.
double ScaleOf(const benchmark::State& state) {
    return state.range(0) / 100.0;
}

FaceRenderer RendererAt(double scale) {
    FaceGeometry geometry;
    geometry.scale = scale;
    return FaceRenderer(DialArtwork(scale), geometry);
}

// Every later pass: the week, hour and minute rings turned, the moon-up ring, the band.
void RenderFacePass(benchmark::State& state) {
    OffscreenApplication(); // the dial at another scale is drawn with its fonts
    FaceRenderer renderer = RendererAt(ScaleOf(state));
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
BENCHMARK(RenderFacePass)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

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
    OffscreenApplication();
    const double scale = ScaleOf(state);
    const QImage dial = DialArtwork(scale);
    for (auto _ : state) {
        FaceRenderer renderer(dial, FaceGeometry{227, 227, kDialCentre, kDialCentre, scale});
        EventTimesOfDay times = kTimes;
        renderer.RenderFace(times, kAllHandsOn, kSky);
        benchmark::DoNotOptimize(renderer.Face().constBits());
    }
}
BENCHMARK(FirstFacePass)->Arg(100)->Arg(200)->Unit(benchmark::kMicrosecond);

// Start-up at a scale other than 1: the dial drawn afresh at that resolution.
void DrawDialAtScale(benchmark::State& state) {
    OffscreenApplication();
    for (auto _ : state)
        benchmark::DoNotOptimize(DialArtwork(ScaleOf(state)));
}
BENCHMARK(DrawDialAtScale)->Arg(200)->Unit(benchmark::kMicrosecond);

void ComposeWholeFacePicture(benchmark::State& state) {
    const DateSerial now = ToDateSerial({2026, 12, 6, 15, 42, 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(ComposeFacePicture(now, kTimes));
}
BENCHMARK(ComposeWholeFacePicture)->Unit(benchmark::kMicrosecond);

} // namespace
