#include "platform/registry/SqliteConnection.h"

#include <cstring>
#include <sqlite3.h>

namespace horvane {
namespace {

void Check(sqlite3* db, int result) {
    if (result != SQLITE_OK)
        throw SqliteFailure{result, sqlite3_system_errno(db)};
}

void Check(sqlite3_stmt* statement, int result) {
    Check(sqlite3_db_handle(statement), result);
}

} // namespace

int SqliteFailure::SystemError() const {
    switch (code & 0xFF) {
    case SQLITE_IOERR:
    case SQLITE_CANTOPEN:
    case SQLITE_FULL:
    case SQLITE_READONLY:
    case SQLITE_PERM:
        return systemError;
    default:
        return 0;
    }
}

std::string SqliteFailure::Cause() const {
    return SystemError() != 0 ? std::strerror(SystemError()) : sqlite3_errstr(code);
}

SqliteQuery::~SqliteQuery() {
    // The result of reset repeats the last step's error, which was already thrown.
    sqlite3_reset(statement_);
    sqlite3_clear_bindings(statement_);
}

SqliteQuery& SqliteQuery::Bind(int index, std::int64_t value) {
    Check(statement_, sqlite3_bind_int64(statement_, index, value));
    return *this;
}

SqliteQuery& SqliteQuery::Bind(int index, std::string_view text) {
    // An empty text must still be a text, not NULL.
    const char* data = text.empty() ? "" : text.data();
    Check(statement_,
          sqlite3_bind_text64(statement_, index, data, text.size(), SQLITE_STATIC, SQLITE_UTF8));
    return *this;
}

SqliteQuery& SqliteQuery::BindBlob(int index, std::span<const std::uint8_t> bytes) {
    // A zero-length blob must still be a blob, not NULL.
    static const std::uint8_t kNoBytes = 0;
    const void* data = bytes.empty() ? &kNoBytes : bytes.data();
    Check(statement_, sqlite3_bind_blob64(statement_, index, data, bytes.size(), SQLITE_STATIC));
    return *this;
}

bool SqliteQuery::Step() {
    const int result = sqlite3_step(statement_);
    if (result == SQLITE_ROW)
        return true;
    if (result == SQLITE_DONE)
        return false;
    Check(statement_, result);
    return false;
}

void SqliteQuery::Run() {
    while (Step()) {
    }
}

std::int64_t SqliteQuery::Integer(int column) const {
    return sqlite3_column_int64(statement_, column);
}

std::string SqliteQuery::Text(int column) const {
    const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return text ? std::string(text, std::size_t(size)) : std::string();
}

std::vector<std::uint8_t> SqliteQuery::Blob(int column) const {
    const auto* bytes = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement_, column));
    const int size = sqlite3_column_bytes(statement_, column);
    return bytes ? std::vector<std::uint8_t>(bytes, bytes + size) : std::vector<std::uint8_t>();
}

SqliteConnection::SqliteConnection(const std::string& path, int flags) {
    const int result = sqlite3_open_v2(path.c_str(), &db_, flags | SQLITE_OPEN_EXRESCODE, nullptr);
    if (result != SQLITE_OK) {
        const SqliteFailure failure{result, sqlite3_system_errno(db_)};
        sqlite3_close_v2(db_);
        throw failure;
    }
}

SqliteConnection::~SqliteConnection() {
    for (const auto& [sql, statement] : statements_)
        sqlite3_finalize(statement);
    sqlite3_close_v2(db_);
}

void SqliteConnection::Execute(const char* sql) {
    Check(db_, sqlite3_exec(db_, sql, nullptr, nullptr, nullptr));
}

SqliteQuery SqliteConnection::Query(SqlText sql) {
    auto found = statements_.find(sql.Text());
    if (found == statements_.end()) {
        sqlite3_stmt* statement = nullptr;
        Check(db_, sqlite3_prepare_v3(db_, sql.Text(), -1, SQLITE_PREPARE_PERSISTENT, &statement,
                                      nullptr));
        found = statements_.emplace(sql.Text(), statement).first;
    }
    return SqliteQuery(found->second);
}

std::int64_t SqliteConnection::QueryInteger(SqlText sql) {
    SqliteQuery query = Query(sql);
    return query.Step() ? query.Integer(0) : 0;
}

bool SqliteConnection::IsReadOnly() const {
    return sqlite3_db_readonly(db_, "main") == 1;
}

bool SqliteConnection::InTransaction() const {
    return sqlite3_get_autocommit(db_) == 0;
}

std::int64_t SqliteConnection::LastInsertId() const {
    return sqlite3_last_insert_rowid(db_);
}

std::string SqliteConnection::FileName() const {
    const char* name = sqlite3_db_filename(db_, "main");
    return name ? name : "";
}

bool SqliteConnection::InMemory() const {
    sqlite3_vfs* vfs = nullptr;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_VFS_POINTER, &vfs) == SQLITE_OK && vfs &&
        std::strcmp(vfs->zName, kMemoryFileSystem) == 0)
        return true;
    return FileName().empty();
}

int SqliteConnection::Changes() const {
    return sqlite3_changes(db_);
}

void SqliteConnection::SetBusyTimeout(int milliseconds) {
    Check(db_, sqlite3_busy_timeout(db_, milliseconds));
}

void SqliteConnection::SetCheckpointOnClose(bool checkpoint) {
    Check(db_,
          sqlite3_db_config(db_, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, checkpoint ? 0 : 1, nullptr));
}

bool SqliteConnection::ReadFileStart(std::span<unsigned char> bytes) const {
    sqlite3_file* file = nullptr;
    if (sqlite3_file_control(db_, "main", SQLITE_FCNTL_FILE_POINTER, &file) != SQLITE_OK ||
        file == nullptr || file->pMethods == nullptr)
        return false;
    return file->pMethods->xRead(file, bytes.data(), int(bytes.size()), 0) == SQLITE_OK;
}

} // namespace horvane
