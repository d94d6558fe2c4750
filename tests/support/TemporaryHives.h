#pragma once
// Points the registry at hive files in a fresh temporary folder for one test.

#include "platform/registry/RegistryHives.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace horvane::test_support {

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

inline std::string ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// Writes the file whole, making its folder first.
inline void WriteFileBytes(const std::filesystem::path& path, const std::string& bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace horvane::test_support
