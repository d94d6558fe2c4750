#pragma once
// Hive files on disk: opening an existing one, creating a new one, and the empty hive
// that a missing file reads as.

#include "platform/registry/RegistryHive.h"

#include <chrono>
#include <filesystem>
#include <memory>
#include <sys/types.h>

namespace horvane {

// How long a call on a hive waits for another process's transaction before it fails with
// ERROR_BUSY: 30 s. Hives opened afterwards wait as long as set here (tests shorten it).
void SetHiveBusyWait(std::chrono::milliseconds wait);

struct HiveFileModes {
    mode_t directory; // for folders that the hive creates
    mode_t file;
    // Readers then never wait for writers and take fewer locks, but every reader must be
    // able to write the log's side files: right for a private hive, not a shared one.
    bool writeAheadLog;
};

// Opens an existing hive file. A file that is not an undamaged hive, or that cannot be
// read, answers ERROR_REGISTRY_CORRUPT and is left exactly as it is.
LONG OpenHiveFile(const std::filesystem::path& path, std::shared_ptr<RegistryHive>& hive);

// Creates an empty hive file and any missing folders. The file appears complete or not
// at all, and a file that another process created first is kept.
LONG CreateHiveFile(const std::filesystem::path& path, const HiveFileModes& modes);

// An empty hive in memory that refuses every write.
std::shared_ptr<RegistryHive> EmptyReadOnlyHive();

// An empty, writable hive in SQLite's in-memory file system under the name (a plain path),
// gone with its last connection.
LONG CreateMemoryHive(const std::filesystem::path& name, std::shared_ptr<RegistryHive>& hive);

} // namespace horvane
