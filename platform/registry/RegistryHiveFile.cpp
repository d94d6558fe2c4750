#include "platform/registry/RegistryHiveFile.h"

#include "platform/FileSync.h"
#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryResults.h"

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sqlite3.h>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace horvane {
namespace {

constexpr std::chrono::milliseconds kBusyWait{30000};

std::atomic<std::chrono::milliseconds::rep> busyWaitMilliseconds{kBusyWait.count()};

// What SQLite keeps beside a hive while it is in use.
constexpr const char* kSideFileSuffixes[] = {"-wal", "-shm", "-journal"};

// The temporary name a new hive is built under: "." + the hive's name + this + 6 letters.
constexpr const char* kTemporaryInfix = ".";
constexpr std::size_t kTemporaryRandomLetters = 6;

// Creates each missing folder of the path with exactly the given mode, whatever the umask.
LONG MakeDirectories(const std::filesystem::path& directory, mode_t mode) {
    std::filesystem::path partial;
    for (const std::filesystem::path& part : directory) {
        partial /= part;
        if (mkdir(partial.c_str(), mode) == 0) {
            if (chmod(partial.c_str(), mode) != 0)
                return NoteSystemFailure(partial, errno);
        } else if (errno != EEXIST) {
            return NoteSystemFailure(partial, errno);
        }
    }
    return ERROR_SUCCESS;
}

std::string TemporaryPrefix(const std::filesystem::path& path) {
    // Appended step by step: GCC 12 at -O3 warns (-Wrestrict) on "literal" + string.
    std::string prefix(".");
    prefix += path.filename().string();
    prefix += kTemporaryInfix;
    return prefix;
}

// A file being built into a hive: locked for as long as it lives, so that a later
// creation can tell the leftovers of a killed process from a file still in the making.
class TemporaryHiveFile {
public:
    TemporaryHiveFile(const std::filesystem::path& path, mode_t mode) {
        // Another creation's sweep may remove the new file before it is locked; the file is
        // only ours once it is locked and its name still leads to it. Each try after the
        // first follows such a removal, so a few always suffice.
        for (int attempt = 0; attempt < kAttempts && descriptor_ < 0 && error_ == 0; ++attempt)
            MakeLocked(path, mode);
        if (descriptor_ < 0 && error_ == 0)
            error_ = ENOENT;
    }
    TemporaryHiveFile(const TemporaryHiveFile&) = delete;
    TemporaryHiveFile& operator=(const TemporaryHiveFile&) = delete;
    ~TemporaryHiveFile() { Remove(); }

    bool Made() const { return descriptor_ >= 0; }
    int Error() const { return error_; }
    const std::string& Name() const { return name_; }

private:
    static constexpr int kAttempts = 16;

    void MakeLocked(const std::filesystem::path& path, mode_t mode) {
        name_ = path.parent_path() / (TemporaryPrefix(path) + "XXXXXX");
        descriptor_ = mkostemp(name_.data(), O_CLOEXEC);
        if (descriptor_ < 0) {
            error_ = errno;
        } else if (flock(descriptor_, LOCK_EX) != 0 || fchmod(descriptor_, mode) != 0) {
            error_ = errno;
            Remove();
        } else if (!NameLeadsToDescriptor()) {
            close(descriptor_); // removed by a sweep: the name is no longer ours to unlink
            descriptor_ = -1;
        }
    }

    bool NameLeadsToDescriptor() const {
        struct stat named {};
        struct stat held {};
        return lstat(name_.c_str(), &named) == 0 && fstat(descriptor_, &held) == 0 &&
               named.st_dev == held.st_dev && named.st_ino == held.st_ino;
    }

    void Remove() {
        if (descriptor_ < 0)
            return;
        unlink(name_.c_str());
        close(descriptor_);
        descriptor_ = -1;
    }

    std::string name_;
    int descriptor_ = -1;
    int error_ = 0;
};

// The temporary file that a name belongs to: itself, or the file whose side file it is.
std::filesystem::path SideFileOwner(const std::filesystem::path& file) {
    const std::string name = file.string();
    for (const char* suffix : kSideFileSuffixes) {
        if (name.ends_with(suffix))
            return name.substr(0, name.size() - std::string_view(suffix).size());
    }
    return file;
}

// Removes a temporary file, or a side file of one, unless a process still builds it:
// that process holds the owning file locked. The lock is held while removing, so a
// creation that locks its file meanwhile finds the name gone and makes another. An owner
// that is not a plain file (a FIFO would block the open without O_NONBLOCK) is not one of
// ours, and its side files are left alone.
void RemoveIfAbandoned(const std::filesystem::path& file, const std::filesystem::path& owner) {
    const int descriptor = open(owner.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        unlink(file.c_str());
        return;
    }
    struct stat info {};
    if (fstat(descriptor, &info) == 0 && S_ISREG(info.st_mode) &&
        flock(descriptor, LOCK_EX | LOCK_NB) == 0)
        unlink(file.c_str());
    close(descriptor);
}

// Removes what creations killed before they finished left behind: temporary files,
// and their side files, that no process holds locked any more.
void RemoveAbandonedTemporaryFiles(const std::filesystem::path& path) {
    const std::string prefix = TemporaryPrefix(path);
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path(), error)) {
        const std::filesystem::path owner = SideFileOwner(entry.path());
        const std::string name = owner.filename().string();
        if (name.size() == prefix.size() + kTemporaryRandomLetters && name.starts_with(prefix) &&
            entry.is_regular_file(error))
            RemoveIfAbandoned(entry.path(), owner);
    }
}

// A side file left by a reader that could not write the hive has the hive's mode of
// that time, read-only; a writer that could not open it would then be refused for
// good. Side files of ours that lack a permission the hive now has take the hive's mode.
void MatchSideFileModes(const std::filesystem::path& path) {
    struct stat hive {};
    if (stat(path.c_str(), &hive) != 0 || hive.st_uid != geteuid())
        return;
    const mode_t wanted = hive.st_mode & 0777;
    for (const char* suffix : kSideFileSuffixes) {
        const std::string side = path.string() + suffix;
        struct stat info {};
        if (lstat(side.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
            info.st_uid == hive.st_uid && (info.st_mode & wanted) != wanted)
            chmod(side.c_str(), wanted);
    }
}

// Closes a connection to a file that did not pass the check. Its write-ahead log may have
// been left by the file it replaced and is not written into it; a log holding no frames
// writes nothing, so closing may then clear the side files away.
void CloseUncheckedHive(const std::filesystem::path& path,
                        std::unique_ptr<SqliteConnection> database) {
    std::error_code error;
    const std::uintmax_t logSize = std::filesystem::file_size(path.string() + "-wal", error);
    if (database && (error || logSize == 0)) {
        try {
            database->SetCheckpointOnClose(true);
        } catch (const SqliteFailure&) {
            // Closing leaves the side files; they are cleared at a later close.
        }
    }
}

// A hive that cannot be opened is reported as denied when the system says so, and as
// damaged otherwise (it exists, so it is not missing).
LONG OpenFailure(const std::filesystem::path& path, const SqliteFailure& failure) {
    if ((failure.code & 0xFF) != SQLITE_CANTOPEN)
        return NoteSqliteFailure(path, failure);
    const int error = access(path.c_str(), R_OK) != 0 ? errno : failure.systemError;
    const LONG result = ResultFromSystemError(error) == ERROR_ACCESS_DENIED
                            ? ERROR_ACCESS_DENIED
                            : ERROR_REGISTRY_CORRUPT;
    NoteHiveFailure(result, path, error != 0 ? SystemErrorText(error) : failure.Cause());
    return result;
}

} // namespace

void SetHiveBusyWait(std::chrono::milliseconds wait) {
    busyWaitMilliseconds = wait.count();
}

LONG OpenHiveFile(const std::filesystem::path& path, std::shared_ptr<RegistryHive>& hive) {
    MatchSideFileModes(path);
    std::unique_ptr<SqliteConnection> database;
    try {
        // Read-write when the file allows it, otherwise read-only.
        database =
            std::make_unique<SqliteConnection>(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
        // Until the file has passed the check, closing must not write into it: a
        // write-ahead log left beside it by the file it replaced would land in it.
        database->SetCheckpointOnClose(false);
        database->SetBusyTimeout(int(busyWaitMilliseconds));
        database->Execute("PRAGMA synchronous = FULL; PRAGMA cell_size_check = ON");
        if (const LONG result = RegistryHive::CheckHive(*database); result != ERROR_SUCCESS) {
            CloseUncheckedHive(path, std::move(database));
            NoteHiveFailure(result, path,
                            result == ERROR_REGISTRY_CORRUPT ? "not an undamaged hive of this "
                                                               "program's layout"
                                                             : RegistryResultText(result));
            return result;
        }
        database->SetCheckpointOnClose(true);
        const bool readOnly = database->IsReadOnly();
        hive = std::make_shared<RegistryHive>(std::move(database), readOnly);
        return ERROR_SUCCESS;
    } catch (const SqliteFailure& failure) {
        CloseUncheckedHive(path, std::move(database));
        return OpenFailure(path, failure);
    }
}

LONG CreateHiveFile(const std::filesystem::path& path, const HiveFileModes& modes) {
    const std::filesystem::path directory = path.parent_path();
    if (const LONG result = MakeDirectories(directory, modes.directory); result != ERROR_SUCCESS)
        return result;
    RemoveAbandonedTemporaryFiles(path);
    const TemporaryHiveFile temporary(path, modes.file);
    if (!temporary.Made())
        return NoteSystemFailure(directory, temporary.Error());
    try {
        SqliteConnection database(temporary.Name(), SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX);
        database.Execute("PRAGMA synchronous = FULL");
        // The journal mode is kept in the file: every later connection uses it.
        database.Execute(modes.writeAheadLog ? "PRAGMA journal_mode = WAL"
                                             : "PRAGMA journal_mode = DELETE");
        RegistryHive::CreateSchema(database);
    } catch (const SqliteFailure& failure) {
        return NoteSqliteFailure(path, failure);
    }
    // link() never replaces an existing file: if another process won the race, its
    // hive stays and ours is dropped.
    if (link(temporary.Name().c_str(), path.c_str()) != 0 && errno != EEXIST)
        return NoteSystemFailure(path, errno);
    SyncFolder(directory); // makes the new entry itself durable
    return ERROR_SUCCESS;
}

std::shared_ptr<RegistryHive> EmptyReadOnlyHive() {
    auto database = std::make_unique<SqliteConnection>(
        ":memory:", SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_MEMORY);
    RegistryHive::CreateSchema(*database);
    database->Execute("PRAGMA query_only = ON");
    return std::make_shared<RegistryHive>(std::move(database), true);
}

LONG CreateMemoryHive(const std::filesystem::path& name, std::shared_ptr<RegistryHive>& hive) {
    try {
        auto database = std::make_unique<SqliteConnection>(
            "file:" + name.string() + "?vfs=" + kMemoryFileSystem,
            SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX);
        RegistryHive::CreateSchema(*database);
        hive = std::make_shared<RegistryHive>(std::move(database), false);
        return ERROR_SUCCESS;
    } catch (const SqliteFailure& failure) {
        return NoteSqliteFailure(name, failure);
    }
}

} // namespace horvane
