// horvane-reg's walk of a wide tree, on a hive in a temporary folder.

#include "platform/registry/RegistryApi.h"
#include "testing/TemporaryHives.h"
#include "tools/reg/RegCommand.h"

#include <benchmark/benchmark.h>
#include <sstream>
#include <string>

using namespace horvane;

namespace {

constexpr const char* kParent = "Software\\Wide";

// count keys side by side below the parent, every tenth with two values; one transaction.
void AddKeys(int count) {
    RegistryBatch batch(HKEY_CURRENT_USER);
    batch.Begin();
    for (int index = 0; index < count; ++index) {
        const std::string path = std::string(kParent) + "\\Key" + std::to_string(index);
        HKEY key{};
        RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                        &key, nullptr);
        if (index % 10 == 0) {
            const DWORD number = DWORD(index);
            RegSetValueExA(key, "Name", 0, REG_SZ, reinterpret_cast<const BYTE*>(path.c_str()),
                           DWORD(path.size() + 1));
            RegSetValueExA(key, "Number", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                           sizeof number);
        }
        RegCloseKey(key);
    }
    batch.Commit();
}

// query /s of the parent, its output formatted and thrown away.
void BM_QueryTree(benchmark::State& state) {
    const TemporaryHives hives;
    AddKeys(int(state.range(0)));
    const std::vector<std::string> arguments{"query", std::string("HKCU\\") + kParent, "/s"};
    for (auto _ : state) {
        std::ostringstream out, err;
        const int status =
            reg::RunRegCommand(arguments, out, err, [](const std::string&) { return false; });
        if (status != 0)
            state.SkipWithError(err.str().c_str());
        benchmark::DoNotOptimize(out);
    }
    state.counters["keys"] = double(state.range(0));
    state.counters["per key"] =
        benchmark::Counter(double(state.range(0)), benchmark::Counter::kIsIterationInvariantRate |
                                                       benchmark::Counter::kInvert);
}
BENCHMARK(BM_QueryTree)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
