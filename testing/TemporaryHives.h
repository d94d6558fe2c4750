#pragma once
// Points the registry at hive files in a fresh temporary folder for as long as the object
// lives: for tests and benchmarks, which must never touch the user's own hive.

#include "platform/registry/RegistryHives.h"

#include <cstdlib>
#include <filesystem>
#include <string>

namespace horvane {

class TemporaryHives {
public:
    TemporaryHives() {
        std::string pattern = (std::filesystem::temp_directory_path() / "horvane-hives-XXXXXX");
        folder_ = mkdtemp(pattern.data());
        SetRegistryHiveLocations({UserHive(), MachineHive()});
    }
    TemporaryHives(const TemporaryHives&) = delete;
    TemporaryHives& operator=(const TemporaryHives&) = delete;
    ~TemporaryHives() {
        // Later calls still land in the (removed) folder, never in the user's own hive.
        SetRegistryHiveLocations({UserHive(), MachineHive()});
        std::filesystem::remove_all(folder_);
    }

    const std::filesystem::path& Folder() const { return folder_; }
    std::filesystem::path UserHive() const { return folder_ / "config" / "horvane" / "user.hive"; }
    std::filesystem::path MachineHive() const { return folder_ / "machine" / "machine.hive"; }

private:
    std::filesystem::path folder_;
};

} // namespace horvane
