#pragma once
// A thin layer over the SQLite C interface: every call's result is checked, and a
// failure is thrown as SqliteFailure so that the caller can undo its transaction.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace horvane {

// The name of SQLite's in-memory file system (its "memdb" VFS).
inline constexpr const char* kMemoryFileSystem = "memdb";

struct SqliteFailure {
    int code;            // extended result code
    int systemError = 0; // the errno behind it, when the system reported one

    // The errno behind a failure of the file itself; 0 for other failures, which may
    // carry a stale one.
    int SystemError() const;
    // The system's words for the failure, or SQLite's where the system said nothing.
    std::string Cause() const;
};

// The text of a statement that the program itself holds for its whole run, fixed when
// compiling (a literal or a constexpr pointer to one): its address names the statement, so
// finding the prepared statement compares no text.
class SqlText {
public:
    consteval SqlText(const char* text) : text_(text) {}

    const char* Text() const { return text_; }

private:
    const char* text_;
};

// A cached prepared statement in use: bind, step, read columns. It is reset and its
// bindings cleared when the query ends, so the statement is ready for the next use.
class SqliteQuery {
public:
    explicit SqliteQuery(sqlite3_stmt* statement) : statement_(statement) {}
    SqliteQuery(const SqliteQuery&) = delete;
    SqliteQuery& operator=(const SqliteQuery&) = delete;
    ~SqliteQuery();

    SqliteQuery& Bind(int index, std::int64_t value);
    // Text and bytes are bound where they are, not copied: they must stay as they are until
    // the query ends (declare them before the query).
    SqliteQuery& Bind(int index, std::string_view text);
    SqliteQuery& BindBlob(int index, std::span<const std::uint8_t> bytes);

    // Answers true while there is a row to read.
    bool Step();
    // Runs a statement that returns no rows.
    void Run();

    std::int64_t Integer(int column) const;
    std::string Text(int column) const;
    std::vector<std::uint8_t> Blob(int column) const;

private:
    sqlite3_stmt* statement_;
};

class SqliteConnection {
public:
    // Opens the database file with the given sqlite3_open_v2 flags. Throws SqliteFailure.
    SqliteConnection(const std::string& path, int flags);
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;
    ~SqliteConnection();

    // Runs SQL text without parameters (transaction control, pragmas, schema).
    void Execute(const char* sql);

    // The statement for this SQL text, prepared once and kept for the connection's life.
    SqliteQuery Query(SqlText sql);

    // The single integer that a pragma or query without parameters answers.
    std::int64_t QueryInteger(SqlText sql);

    bool IsReadOnly() const;
    bool InTransaction() const;
    std::int64_t LastInsertId() const;
    // The file the connection works on.
    std::string FileName() const;
    // Whether the database lives in memory (SQLite's in-memory file system, or ":memory:"),
    // with no file of that name behind it.
    bool InMemory() const;
    int Changes() const;
    void SetBusyTimeout(int milliseconds);
    // Whether closing the last connection to the file writes the write-ahead log into it.
    void SetCheckpointOnClose(bool checkpoint);
    // Reads the first bytes of the database file itself, through SQLite's own handle of it
    // (closing another handle of the file would drop this process's locks on it). Answers
    // false when the file is shorter or cannot be read.
    bool ReadFileStart(std::span<unsigned char> bytes) const;

private:
    sqlite3* db_ = nullptr;
    std::unordered_map<const char*, sqlite3_stmt*> statements_;
};

} // namespace horvane
