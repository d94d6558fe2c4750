#include "astro/DateSerial.h"
#include "astro/EventBoard.h"
#include "astro/RiSeTran.h"

#include <benchmark/benchmark.h>

using namespace horvane;

namespace {

const DateSerial kNow = ToDateSerial({2026, 12, 4, 7, 30, 0});

void SunSearch(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FindRiseTransitSet(kNow, -360, 43.089, -87.888, kSunRiseSetAltitude, Body::Sun));
}
BENCHMARK(SunSearch);

void MoonSearch(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FindRiseTransitSet(kNow, -360, 43.089, -87.888, kMoonRiseSetAltitude, Body::Moon));
}
BENCHMARK(MoonSearch);

// Polar day: no rise or set, so every search runs all 25 rounds.
void PolarSunSearch(benchmark::State& state) {
    const DateSerial june = ToDateSerial({2026, 6, 21, 12, 0, 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(
            FindRiseTransitSet(june, -480, 71.29, -156.79, kSunRiseSetAltitude, Body::Sun));
}
BENCHMARK(PolarSunSearch);

void WholeBoard(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeEventBoard(kNow, -360, 43.089, -87.888));
}
BENCHMARK(WholeBoard);

// Eight searches: the polar sun all day, and a moon whose last rise lies two days back.
void WholeBoardWorstCase(benchmark::State& state) {
    const DateSerial june = ToDateSerial({2026, 6, 21, 12, 0, 0});
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeEventBoard(june, -480, 71.29, -156.79));
}
BENCHMARK(WholeBoardWorstCase);

} // namespace
