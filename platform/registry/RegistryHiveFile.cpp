#include "platform/registry/RegistryHiveFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace horvane {
namespace {

// How long a call waits for another process's transaction before it gives up.
constexpr int kBusyTimeoutMilliseconds = 30000;

LONG ResultFromErrno(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    default:
        return ERROR_REGISTRY_IO_FAILED;
    }
}

// Creates each missing folder of the path with the given mode.
int MakeDirectories(const std::filesystem::path& directory, mode_t mode) {
    std::filesystem::path partial;
    for (const std::filesystem::path& part : directory) {
        partial /= part;
        if (mkdir(partial.c_str(), mode) != 0 && errno != EEXIST)
            return errno;
    }
    return 0;
}

// Makes the new directory entry itself durable.
void SyncDirectory(const std::filesystem::path& directory) {
    const int descriptor = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor < 0)
        return;
    fsync(descriptor);
    close(descriptor);
}

// A temporary file beside the hive, with the hive's mode; empty path on failure.
std::string MakeTemporaryFile(const std::filesystem::path& path, mode_t mode, int& error) {
    std::string leaf = ".";
    leaf += path.filename().string();
    leaf += ".XXXXXX";
    std::string name = path.parent_path() / leaf;
    const int descriptor = mkstemp(name.data());
    if (descriptor < 0) {
        error = errno;
        return {};
    }
    const bool moded = fchmod(descriptor, mode) == 0;
    error = errno;
    close(descriptor);
    if (!moded) {
        unlink(name.c_str());
        return {};
    }
    return name;
}

} // namespace

LONG OpenHiveFile(const std::filesystem::path& path, std::shared_ptr<RegistryHive>& hive) {
    try {
        // Read-write when the file allows it, otherwise read-only.
        auto database =
            std::make_unique<SqliteConnection>(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
        database->SetBusyTimeout(kBusyTimeoutMilliseconds);
        database->Execute("PRAGMA synchronous = FULL; PRAGMA cell_size_check = ON");
        if (const LONG result = RegistryHive::CheckHive(*database); result != ERROR_SUCCESS)
            return result;
        const bool readOnly = database->IsReadOnly();
        hive = std::make_shared<RegistryHive>(std::move(database), readOnly);
        return ERROR_SUCCESS;
    } catch (const SqliteFailure& failure) {
        // A file that exists but cannot be opened is as unusable as a damaged one.
        if ((failure.code & 0xFF) == SQLITE_CANTOPEN)
            return ERROR_REGISTRY_CORRUPT;
        return ResultFromSqlite(failure.code);
    }
}

LONG CreateHiveFile(const std::filesystem::path& path, const HiveFileModes& modes) {
    const std::filesystem::path directory = path.parent_path();
    if (const int error = MakeDirectories(directory, modes.directory); error != 0)
        return ResultFromErrno(error);
    int error = 0;
    const std::string temporary = MakeTemporaryFile(path, modes.file, error);
    if (temporary.empty())
        return ResultFromErrno(error);
    try {
        SqliteConnection database(temporary, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
        database.Execute("PRAGMA synchronous = FULL");
        // The journal mode is kept in the file: every later connection uses it.
        database.Execute(modes.writeAheadLog ? "PRAGMA journal_mode = WAL"
                                             : "PRAGMA journal_mode = DELETE");
        RegistryHive::CreateSchema(database);
    } catch (const SqliteFailure& failure) {
        unlink(temporary.c_str());
        return ResultFromSqlite(failure.code);
    }
    // link() never replaces an existing file: if another process won the race, its
    // hive stays and ours is dropped.
    const bool linked = link(temporary.c_str(), path.c_str()) == 0;
    error = errno;
    unlink(temporary.c_str());
    if (!linked && error != EEXIST)
        return ResultFromErrno(error);
    SyncDirectory(directory);
    return ERROR_SUCCESS;
}

std::shared_ptr<RegistryHive> EmptyReadOnlyHive() {
    auto database = std::make_unique<SqliteConnection>(
        ":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_MEMORY);
    RegistryHive::CreateSchema(*database);
    database->Execute("PRAGMA query_only = ON");
    return std::make_shared<RegistryHive>(std::move(database), true);
}

} // namespace horvane
