// The store's work on a hive in a temporary folder, filled by a first run.

#include "platform/registry/RegistryApi.h"
#include "settings/DefaultLocations.h"
#include "settings/LongLat.h"
#include "settings/cRegistry.h"
#include "testing/ManyPlaces.h"
#include "testing/TemporaryHives.h"

#include <benchmark/benchmark.h>
#include <string>

using namespace horvane;

namespace {

// A hive holding the 23 default places and the settings.
struct PopulatedHive {
    PopulatedHive() { LongLat().LoadSettings(); }
    TemporaryHives hives;
};

void BM_LoadSettings(benchmark::State& state) {
    const PopulatedHive hive;
    LongLat store;
    for (auto _ : state) {
        store.LoadSettings();
        benchmark::DoNotOptimize(store.dLatitude);
    }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMicrosecond);

void BM_FillLocationList(benchmark::State& state) {
    const TemporaryHives hives;
    test_support::FillWithPlaces(int(state.range(0)));
    const LongLat store;
    NameList list;
    for (auto _ : state) {
        store.FillLocationList(list, kDefaultLocationName);
        benchmark::DoNotOptimize(list.listIndex);
    }
    state.counters["places"] = double(list.ListCount());
}
BENCHMARK(BM_FillLocationList)->Arg(23)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_ValueRead(benchmark::State& state) {
    const PopulatedHive hive;
    cRegistry registry;
    registry.ClassKey(kCurrentUser);
    registry.SectionKey(kSettingsKey);
    registry.ValueKey("Location");
    for (auto _ : state) {
        TaggedValue value = registry.Value();
        benchmark::DoNotOptimize(value);
    }
}
BENCHMARK(BM_ValueRead)->Unit(benchmark::kMicrosecond);

} // namespace
