#include "platform/registry/RegistryHives.h"

#include "platform/UserFolders.h"
#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryHiveFile.h"
#include "platform/registry/RegistryResults.h"

#include <cerrno>
#include <mutex>
#include <optional>
#include <sys/stat.h>

namespace horvane {
namespace {

// The user's hive is private to the user; the machine's is readable by everyone,
// including those who cannot write beside it.
constexpr HiveFileModes kUserModes{0700, 0600, true};
constexpr HiveFileModes kMachineModes{0755, 0644, false};

struct OpenHive {
    std::shared_ptr<RegistryHive> hive; // empty: not open, or the file was missing
    dev_t device = 0;
    ino_t inode = 0;
};

struct HiveTable {
    std::mutex mutex;
    std::optional<RegistryHiveLocations> locations;
    bool inMemory = false;
    OpenHive user;
    OpenHive machine;
    std::shared_ptr<RegistryHive> empty;
};

HiveTable& Table() {
    static HiveTable table;
    return table;
}

// Answers the hive that serves the file, opening it when it is new or was replaced.
LONG HiveForFile(const std::filesystem::path& file, const struct stat& info, OpenHive& open,
                 std::shared_ptr<RegistryHive>& hive) {
    if (open.hive && open.device == info.st_dev && open.inode == info.st_ino) {
        if (!open.hive->FileStillAHive()) {
            open.hive->LeaveFileAsItIs();
            open = {};
            NoteHiveFailure(ERROR_REGISTRY_CORRUPT, file, "overwritten by something else");
            return ERROR_REGISTRY_CORRUPT;
        }
        hive = open.hive;
        return ERROR_SUCCESS;
    }
    std::shared_ptr<RegistryHive> opened;
    if (const LONG result = OpenHiveFile(file, opened); result != ERROR_SUCCESS)
        return result;
    open = OpenHive{opened, info.st_dev, info.st_ino};
    hive = opened;
    return ERROR_SUCCESS;
}

void PlaceHives(const RegistryHiveLocations& locations, bool inMemory) {
    HiveTable& table = Table();
    std::lock_guard lock(table.mutex);
    table.locations = locations;
    table.inMemory = inMemory;
    table.user = {};
    table.machine = {};
}

} // namespace

RegistryHiveLocations DefaultRegistryHiveLocations() {
    return {UserConfigFolder() / "horvane" / "user.hive", "/var/lib/horvane/machine.hive"};
}

void SetRegistryHiveLocations(const RegistryHiveLocations& locations) {
    PlaceHives(locations, false);
}

void SetRegistryHivesInMemory(const RegistryHiveLocations& names) {
    PlaceHives(names, true);
}

RegistryHiveLocations CurrentRegistryHiveLocations() {
    HiveTable& table = Table();
    std::lock_guard lock(table.mutex);
    if (!table.locations)
        table.locations = DefaultRegistryHiveLocations();
    return *table.locations;
}

LONG AcquireHive(HiveKind kind, bool forWriting, std::shared_ptr<RegistryHive>& hive) {
    HiveTable& table = Table();
    std::lock_guard lock(table.mutex);
    if (!table.locations)
        table.locations = DefaultRegistryHiveLocations();
    const bool user = kind == HiveKind::User;
    const std::filesystem::path& file = user ? table.locations->user : table.locations->machine;
    OpenHive& open = user ? table.user : table.machine;
    if (table.inMemory) {
        if (!open.hive) {
            if (const LONG result = CreateMemoryHive(file, open.hive); result != ERROR_SUCCESS)
                return result;
        }
        hive = open.hive;
        return ERROR_SUCCESS;
    }

    struct stat info {};
    if (stat(file.c_str(), &info) == 0)
        return HiveForFile(file, info, open, hive);
    if (errno != ENOENT)
        return NoteSystemFailure(file, errno);
    open = {};
    if (!forWriting) {
        if (!table.empty) {
            try {
                table.empty = EmptyReadOnlyHive();
            } catch (const SqliteFailure& failure) {
                return NoteSqliteFailure(file, failure);
            }
        }
        hive = table.empty;
        return ERROR_SUCCESS;
    }
    if (const LONG result = CreateHiveFile(file, user ? kUserModes : kMachineModes);
        result != ERROR_SUCCESS)
        return result;
    if (stat(file.c_str(), &info) != 0)
        return NoteSystemFailure(file, errno);
    return HiveForFile(file, info, open, hive);
}

} // namespace horvane
