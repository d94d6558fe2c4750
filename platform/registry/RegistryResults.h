#pragma once
// What the system and SQLite report about a hive file, turned into the registry's result
// codes by one table, for every place where a hive file fails.

#include "platform/registry/RegistryTypes.h"
#include "platform/registry/SqliteConnection.h"

#include <filesystem>

namespace horvane {

// The result code for an errno value; ERROR_REGISTRY_IO_FAILED for one not in the table.
LONG ResultFromSystemError(int error);

// The result code for an SQLite result code (primary or extended); likewise.
LONG ResultFromSqlite(int sqliteCode);

// The result code for a failure: from the system's error where the file itself failed
// and the table knows that error, otherwise from SQLite's code.
LONG ResultFromFailure(const SqliteFailure& failure);

// Each answers the result code for the failure, noted with the file and the cause for
// RegistryFailureText.
LONG NoteSystemFailure(const std::filesystem::path& file, int error);
LONG NoteSqliteFailure(const std::filesystem::path& file, const SqliteFailure& failure);

} // namespace horvane
