#include "platform/registry/RegistryResults.h"

#include "platform/registry/RegistryFailure.h"

#include <cerrno>
#include <sqlite3.h>

namespace horvane {
namespace {

enum class Reporter { System, Sqlite };

struct ResultRow {
    Reporter reporter;
    int code; // an errno value, or an SQLite primary result code
    LONG result;
};

constexpr ResultRow kResults[] = {
    {Reporter::System, EACCES, ERROR_ACCESS_DENIED},
    {Reporter::System, EPERM, ERROR_ACCESS_DENIED},
    {Reporter::System, EROFS, ERROR_ACCESS_DENIED},
    {Reporter::System, ENOSPC, ERROR_DISK_FULL},
    {Reporter::System, EDQUOT, ERROR_DISK_FULL},
    {Reporter::System, ENOMEM, ERROR_OUTOFMEMORY},
    {Reporter::Sqlite, SQLITE_CORRUPT, ERROR_REGISTRY_CORRUPT},
    {Reporter::Sqlite, SQLITE_NOTADB, ERROR_REGISTRY_CORRUPT},
    {Reporter::Sqlite, SQLITE_FORMAT, ERROR_REGISTRY_CORRUPT},
    {Reporter::Sqlite, SQLITE_READONLY, ERROR_ACCESS_DENIED},
    {Reporter::Sqlite, SQLITE_PERM, ERROR_ACCESS_DENIED},
    {Reporter::Sqlite, SQLITE_AUTH, ERROR_ACCESS_DENIED},
    {Reporter::Sqlite, SQLITE_BUSY, ERROR_BUSY},
    {Reporter::Sqlite, SQLITE_LOCKED, ERROR_BUSY},
    {Reporter::Sqlite, SQLITE_FULL, ERROR_DISK_FULL},
    {Reporter::Sqlite, SQLITE_NOMEM, ERROR_OUTOFMEMORY},
    {Reporter::Sqlite, SQLITE_TOOBIG, ERROR_INVALID_PARAMETER},
};

// Everything the table does not name.
constexpr LONG kOtherFailure = ERROR_REGISTRY_IO_FAILED;

bool Find(Reporter reporter, int code, LONG& result) {
    for (const ResultRow& row : kResults) {
        if (row.reporter == reporter && row.code == code) {
            result = row.result;
            return true;
        }
    }
    return false;
}

} // namespace

LONG ResultFromSystemError(int error) {
    LONG result = kOtherFailure;
    Find(Reporter::System, error, result);
    return result;
}

LONG ResultFromSqlite(int sqliteCode) {
    LONG result = kOtherFailure;
    Find(Reporter::Sqlite, sqliteCode & 0xFF, result);
    return result;
}

LONG ResultFromFailure(const SqliteFailure& failure) {
    // SQLite reports some failures of the file, a full disk among them, as plain I/O errors.
    LONG result = kOtherFailure;
    if (failure.SystemError() != 0 && Find(Reporter::System, failure.SystemError(), result))
        return result;
    return ResultFromSqlite(failure.code);
}

LONG NoteSystemFailure(const std::filesystem::path& file, int error) {
    const LONG result = ResultFromSystemError(error);
    NoteHiveFailure(result, file, SystemErrorText(error));
    return result;
}

LONG NoteSqliteFailure(const std::filesystem::path& file, const SqliteFailure& failure) {
    const LONG result = ResultFromFailure(failure);
    NoteHiveFailure(result, file, failure.Cause());
    return result;
}

} // namespace horvane
