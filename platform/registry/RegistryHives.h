#pragma once
// Where the hives live and which of them this process has open.

#include "platform/registry/RegistryHive.h"

#include <filesystem>
#include <memory>

namespace horvane {

struct RegistryHiveLocations {
    std::filesystem::path user;    // HKEY_CURRENT_USER
    std::filesystem::path machine; // HKEY_LOCAL_MACHINE, and HKEY_CLASSES_ROOT within it
};

// $XDG_CONFIG_HOME/horvane/user.hive (~/.config when unset) and the machine-wide
// /var/lib/horvane/machine.hive.
RegistryHiveLocations DefaultRegistryHiveLocations();

// Puts the hives elsewhere (tests use temporary folders). Hives opened before keep
// serving the keys already open on them; new calls use the new files.
void SetRegistryHiveLocations(const RegistryHiveLocations& locations);
// Puts the hives in memory instead, in SQLite's in-memory file system under the names
// given (plain paths): each is an empty hive when first used and is gone once the
// locations change. Every call then runs as on a file, only without the disk (the
// fuzzers use it).
void SetRegistryHivesInMemory(const RegistryHiveLocations& names);
RegistryHiveLocations CurrentRegistryHiveLocations();

enum class HiveKind { User, Machine };

// The open hive of that kind. A missing file reads as an empty hive that refuses
// writes; asked for writing, the file is created instead.
LONG AcquireHive(HiveKind kind, bool forWriting, std::shared_ptr<RegistryHive>& hive);

} // namespace horvane
