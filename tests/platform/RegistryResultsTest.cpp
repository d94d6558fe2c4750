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
    const std::pair<int, LONG> systemErrors[] = {
        {EACCES, ERROR_ACCESS_DENIED},   {EPERM, ERROR_ACCESS_DENIED},
        {EROFS, ERROR_ACCESS_DENIED},    {ENOSPC, ERROR_DISK_FULL},
        {EDQUOT, ERROR_DISK_FULL},       {ENOMEM, ERROR_OUTOFMEMORY},
        {EIO, ERROR_REGISTRY_IO_FAILED}, {ENOTDIR, ERROR_REGISTRY_IO_FAILED}};
    for (const auto& [error, result] : systemErrors)
        EXPECT_EQ(ResultFromSystemError(error), result) << error;

    const std::pair<int, LONG> sqliteCodes[] = {{SQLITE_CORRUPT, ERROR_REGISTRY_CORRUPT},
                                                {SQLITE_CORRUPT_INDEX, ERROR_REGISTRY_CORRUPT},
                                                {SQLITE_NOTADB, ERROR_REGISTRY_CORRUPT},
                                                {SQLITE_FORMAT, ERROR_REGISTRY_CORRUPT},
                                                {SQLITE_READONLY, ERROR_ACCESS_DENIED},
                                                {SQLITE_READONLY_DBMOVED, ERROR_ACCESS_DENIED},
                                                {SQLITE_PERM, ERROR_ACCESS_DENIED},
                                                {SQLITE_AUTH, ERROR_ACCESS_DENIED},
                                                {SQLITE_BUSY, ERROR_BUSY},
                                                {SQLITE_BUSY_SNAPSHOT, ERROR_BUSY},
                                                {SQLITE_LOCKED, ERROR_BUSY},
                                                {SQLITE_FULL, ERROR_DISK_FULL},
                                                {SQLITE_NOMEM, ERROR_OUTOFMEMORY},
                                                {SQLITE_TOOBIG, ERROR_INVALID_PARAMETER},
                                                {SQLITE_IOERR_WRITE, ERROR_REGISTRY_IO_FAILED},
                                                {SQLITE_CANTOPEN, ERROR_REGISTRY_IO_FAILED}};
    for (const auto& [code, result] : sqliteCodes)
        EXPECT_EQ(ResultFromSqlite(code), result) << code;

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
