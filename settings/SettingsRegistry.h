#pragma once
// The registry object the settings are read and written through.

#include "settings/cRegistry.h"

namespace horvane {

// A registry object at HKEY_CURRENT_USER\kSettingsKey, for the value to be named.
cRegistry SettingsRegistry();

} // namespace horvane
