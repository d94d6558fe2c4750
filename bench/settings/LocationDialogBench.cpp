// Opening the Change Location dialog on hives of many places: the dialog made and loaded, its
// list filled, as the location button does it (the window itself is not shown).

#include "platform/ui/ListComboBox.h"
#include "settings/frmLocation.h"
#include "testing/ManyPlaces.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TemporaryHives.h"
#include "testing/WidgetApplication.h"

#include <benchmark/benchmark.h>

using namespace horvane;

namespace {

void BM_OpenLocationDialog(benchmark::State& state) {
    test_support::OffscreenApplication();
    const TemporaryHives hives;
    test_support::FillWithPlaces(int(state.range(0)));
    LongLat store;
    test_support::ScriptedPrompt prompt;
    int listed = 0;
    for (auto _ : state) {
        frmLocation dialog(store, prompt, nullptr);
        dialog.Form_Load();
        listed = dialog.cbxLocation->ListCount();
    }
    state.counters["places"] = listed;
}
BENCHMARK(BM_OpenLocationDialog)->Arg(23)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
