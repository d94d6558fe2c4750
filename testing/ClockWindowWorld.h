#pragma once
// A clock window's surroundings for one test: a fresh hive, the store, a prompt that records,
// a clock the test sets, and Central Standard Time.

#include "clock/ClockModel.h"
#include "clock/frmMain.h"
#include "settings/LongLat.h"
#include "testing/ClockWindowDoubles.h"
#include "testing/TemporaryHives.h"

#include <memory>

namespace horvane::test_support {

struct ClockWindowWorld {
    // Starts the window: loads the settings and runs the first tick.
    std::unique_ptr<frmMain> Start() {
        return std::make_unique<frmMain>(store, prompt, clock.Source(), CentralStandardTime());
    }

    TemporaryHives hives;
    LongLat store;
    ScriptedPrompt prompt;
    SettableClock clock;
};

// What another run of the program would read from the hive.
inline LongLat Stored() {
    LongLat stored;
    stored.ReadSettings();
    return stored;
}

} // namespace horvane::test_support
