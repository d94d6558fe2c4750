// Opening the Change Location dialog on hives of many places: the dialog made and loaded, its
// list filled, as the location button does it (the window itself is not shown).

#include "platform/ui/ListComboBox.h"
#include "settings/frmLocation.h"
#include "testing/ManyPlaces.h"
#include "testing/ScriptedPrompt.h"
#include "testing/TemporaryHives.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <cstdlib>

using namespace horvane;

namespace {

// One application for the run, on the offscreen platform unless another is chosen.
void StartApplication() {
    static int argc = 1;
    static char name[] = "location-dialog-bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QApplication* application = new QApplication(argc, argv);
    benchmark::DoNotOptimize(application);
}

void BM_OpenLocationDialog(benchmark::State& state) {
    StartApplication();
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
