// The year's page of horvane-almanac: 365 searches and the page's text.

#include "tools/almanac/AlmanacYear.h"

#include <benchmark/benchmark.h>

using namespace horvane;

namespace {

const AlmanacPlace kChicago{"41.85N 87.65W", 41.85, -87.65};
const AlmanacPlace kBarrow{"71.29N 156.79W", 71.29, -156.79};

std::int32_t CentralStandardTime(const CivilDateTime&) {
    return -360;
}

void BM_YearOfSunriseAndSunset(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComputeYearTable(2026, BoardSearch::Sun, kChicago, CentralStandardTime));
}
BENCHMARK(BM_YearOfSunriseAndSunset)->Unit(benchmark::kMillisecond);

// Polar days and nights run all 25 rounds of every search.
void BM_PolarYearOfSunriseAndSunset(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComputeYearTable(2026, BoardSearch::Sun, kBarrow, CentralStandardTime));
}
BENCHMARK(BM_PolarYearOfSunriseAndSunset)->Unit(benchmark::kMillisecond);

void BM_YearOfMoonriseAndMoonset(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(
            ComputeYearTable(2026, BoardSearch::Moon, kChicago, CentralStandardTime));
}
BENCHMARK(BM_YearOfMoonriseAndMoonset)->Unit(benchmark::kMillisecond);

void BM_YearPageTextAndJson(benchmark::State& state) {
    const YearTable table = ComputeYearTable(2026, BoardSearch::Sun, kChicago, CentralStandardTime);
    for (auto _ : state) {
        benchmark::DoNotOptimize(YearTableText(table));
        benchmark::DoNotOptimize(YearTableJson(table));
    }
}
BENCHMARK(BM_YearPageTextAndJson)->Unit(benchmark::kMillisecond);

} // namespace
