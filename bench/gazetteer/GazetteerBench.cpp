// The gazetteer's budgets: reading the places file within 100 ms, and the search a list of
// places runs as the user types within 2 ms a keystroke, over the whole set.

#include "gazetteer/Gazetteer.h"

#include <benchmark/benchmark.h>
#include <fstream>
#include <string>

using namespace horvane;

namespace {

constexpr std::size_t kListRows = 10;

const Gazetteer& Places() {
    static const GazetteerLoad load = Gazetteer::Load(HORVANE_BENCH_PLACES_FILE);
    return *load.gazetteer;
}

// Resident memory in kB, from /proc/self/status.
long ResidentKilobytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stol(line.substr(6));
    }
    return 0;
}

// What the loaded gazetteer keeps resident, once its file is read and the reading's
// buffers are gone.
void ResidentWhileLoaded(benchmark::State& state) {
    long kept = 0;
    for (auto _ : state) {
        const long before = ResidentKilobytes();
        GazetteerLoad load = Gazetteer::Load(HORVANE_BENCH_PLACES_FILE);
        kept = ResidentKilobytes() - before;
        benchmark::DoNotOptimize(load.gazetteer);
    }
    state.counters["resident_kB"] = double(kept);
}
BENCHMARK(ResidentWhileLoaded)->Unit(benchmark::kMillisecond)->Iterations(1);

void LoadPlacesFile(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Gazetteer::Load(HORVANE_BENCH_PLACES_FILE).gazetteer);
}
BENCHMARK(LoadPlacesFile)->Unit(benchmark::kMillisecond);

// Each keystroke of a name typed from its first letter: the short prefixes match the most.
void SearchAsTyped(benchmark::State& state, const std::string& name) {
    const Gazetteer& places = Places();
    for (auto _ : state) {
        for (std::size_t length = 1; length <= name.size(); ++length)
            benchmark::DoNotOptimize(places.Search(name.substr(0, length), kListRows));
    }
    state.counters["keystrokes"] = double(name.size());
}
BENCHMARK_CAPTURE(SearchAsTyped, sao_paulo, std::string("São Paulo"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(SearchAsTyped, springfield, std::string("Springfield"))
    ->Unit(benchmark::kMicrosecond);

// The worst single keystroke: one letter, the start of the most names.
void SearchOneLetter(benchmark::State& state) {
    const Gazetteer& places = Places();
    for (auto _ : state)
        benchmark::DoNotOptimize(places.Search("s", kListRows));
}
BENCHMARK(SearchOneLetter)->Unit(benchmark::kMicrosecond);

} // namespace
