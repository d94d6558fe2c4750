// The one table that turns the system's and SQLite's failures into result codes: each row,
// and what a failure notes for the message.

#include "platform/registry/RegistryResults.h"
#include "platform/registry/RegistryFailure.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sqlite3.h>

using namespace horvane;

namespace {

TEST(RegistryResults, EachSystemErrorAndSqliteCodeHasOneResultEverywhere) {
    // Each result, and the system's errors and SQLite's codes that become it.
    using Codes = std::vector<int>;
    const std::tuple<LONG, Codes, Codes> table[] = {
        {ERROR_ACCESS_DENIED,
         {EACCES, EPERM, EROFS},
         {SQLITE_READONLY, SQLITE_READONLY_DBMOVED, SQLITE_PERM, SQLITE_AUTH}},
        {ERROR_DISK_FULL, {ENOSPC, EDQUOT}, {SQLITE_FULL}},
        {ERROR_OUTOFMEMORY, {ENOMEM}, {SQLITE_NOMEM}},
        {ERROR_REGISTRY_IO_FAILED, {EIO, ENOTDIR}, {SQLITE_IOERR_WRITE, SQLITE_CANTOPEN}},
        {ERROR_REGISTRY_CORRUPT,
         {},
         {SQLITE_CORRUPT, SQLITE_CORRUPT_INDEX, SQLITE_NOTADB, SQLITE_FORMAT}},
        {ERROR_BUSY, {}, {SQLITE_BUSY, SQLITE_BUSY_SNAPSHOT, SQLITE_LOCKED}},
        {ERROR_INVALID_PARAMETER, {}, {SQLITE_TOOBIG}}};
    for (const auto& [result, systemErrors, sqliteCodes] : table) {
        Codes fromSystem, fromSqlite;
        for (const int error : systemErrors)
            fromSystem.push_back(ResultFromSystemError(error));
        for (const int code : sqliteCodes)
            fromSqlite.push_back(ResultFromSqlite(code));
        EXPECT_EQ(
            std::make_pair(fromSystem, fromSqlite),
            std::make_pair(Codes(systemErrors.size(), result), Codes(sqliteCodes.size(), result)))
            << result;
    }

    // The system's error counts where the file itself failed; elsewhere it may be stale.
    const std::pair<SqliteFailure, LONG> failures[] = {
        {{SQLITE_IOERR_WRITE, ENOSPC}, ERROR_DISK_FULL},
        {{SQLITE_IOERR_FSYNC, EROFS}, ERROR_ACCESS_DENIED},
        {{SQLITE_IOERR_WRITE, EPERM}, ERROR_ACCESS_DENIED},
        {{SQLITE_CANTOPEN, EACCES}, ERROR_ACCESS_DENIED},
        {{SQLITE_IOERR_READ, EIO}, ERROR_REGISTRY_IO_FAILED},
        {{SQLITE_BUSY, ENOSPC}, ERROR_BUSY},
        {{SQLITE_CORRUPT, EACCES}, ERROR_REGISTRY_CORRUPT}};
    for (const auto& [failure, result] : failures)
        EXPECT_EQ(ResultFromFailure(failure), result) << failure.code << " " << failure.systemError;
}

TEST(RegistryResults, AFailureNotesItsFileAndCause) {
    const LONG denied = NoteSystemFailure("/srv/user.hive", EROFS);
    EXPECT_EQ(RegistryFailureText(denied),
              "Access is denied. (/srv/user.hive: " + SystemErrorText(EROFS) + ")");
    const LONG busy = NoteSqliteFailure("/srv/user.hive", {SQLITE_BUSY, EROFS});
    EXPECT_EQ(RegistryFailureText(busy), RegistryResultText(ERROR_BUSY) + " (/srv/user.hive: " +
                                             sqlite3_errstr(SQLITE_BUSY) + ")");
}

} // namespace
