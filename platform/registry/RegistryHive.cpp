#include "platform/registry/RegistryHive.h"

#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryNames.h"
#include "platform/registry/RegistryResults.h"

#include <array>
#include <cstring>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>
#include <utility>

namespace horvane {
namespace {

// Marks a database as a hive of this program ("HRKY") and numbers its layout.
constexpr std::int64_t kHiveApplicationId = 0x48524B59;
constexpr std::int64_t kHiveLayoutVersion = 1;

constexpr const char* kSchema = R"sql(
    CREATE TABLE registry_keys(
        id INTEGER PRIMARY KEY AUTOINCREMENT,
        parent INTEGER NOT NULL,
        name TEXT NOT NULL,
        folded TEXT NOT NULL,
        UNIQUE(parent, folded));
    CREATE TABLE registry_values(
        id INTEGER PRIMARY KEY,
        key INTEGER NOT NULL,
        name TEXT NOT NULL,
        folded TEXT NOT NULL,
        type INTEGER NOT NULL,
        data BLOB NOT NULL,
        UNIQUE(key, folded));
    CREATE INDEX registry_values_in_order ON registry_values(key, id);
    INSERT INTO registry_keys(id, parent, name, folded) VALUES(1, 0, '', '');
    PRAGMA application_id = 1213352793;
    PRAGMA user_version = 1;
)sql";
static_assert(kHiveApplicationId == 1213352793);

// Key ids are never reused (AUTOINCREMENT), so a handle to a deleted key cannot come
// to point at a newer one.
constexpr const char* kKeyExists = "SELECT 1 FROM registry_keys WHERE id = ?1";
constexpr const char* kFindSubKey =
    "SELECT id FROM registry_keys WHERE parent = ?1 AND folded = ?2";
constexpr const char* kHasSubKeys = "SELECT 1 FROM registry_keys WHERE parent = ?1 LIMIT 1";
constexpr const char* kInsertKey =
    "INSERT INTO registry_keys(parent, name, folded) VALUES(?1, ?2, ?3)";
constexpr const char* kDeleteKey = "DELETE FROM registry_keys WHERE id = ?1";
constexpr const char* kDeleteKeyValues = "DELETE FROM registry_values WHERE key = ?1";
constexpr const char* kDeleteTreeValues = R"sql(
    WITH RECURSIVE tree(id) AS (
        SELECT ?1 UNION ALL SELECT k.id FROM registry_keys k JOIN tree t ON k.parent = t.id)
    DELETE FROM registry_values WHERE key IN tree)sql";
constexpr const char* kDeleteTreeSubKeys = R"sql(
    WITH RECURSIVE tree(id) AS (
        SELECT id FROM registry_keys WHERE parent = ?1
        UNION ALL SELECT k.id FROM registry_keys k JOIN tree t ON k.parent = t.id)
    DELETE FROM registry_keys WHERE id IN tree)sql";
// Below the root is every other key and every value: the whole hive is emptied without
// walking its tree.
constexpr const char* kDeleteAllValues = "DELETE FROM registry_values";
constexpr const char* kDeleteAllSubKeys = "DELETE FROM registry_keys WHERE id <> ?1";
constexpr const char* kQueryValue =
    "SELECT type, data FROM registry_values WHERE key = ?1 AND folded = ?2";
// An existing value keeps its name as first written and its place in the order.
constexpr const char* kSetValue = R"sql(
    INSERT INTO registry_values(key, name, folded, type, data) VALUES(?1, ?2, ?3, ?4, ?5)
    ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data)sql";
constexpr const char* kDeleteValue = "DELETE FROM registry_values WHERE key = ?1 AND folded = ?2";
// Enumeration reads ahead this many items per query; values fewer, as they carry data.
constexpr std::int64_t kKeysPerPage = 128;
constexpr std::int64_t kValuesPerPage = 32;
// A page also ends once the values read into it hold this many bytes of data.
constexpr std::size_t kValueBytesPerPage = 1 << 20;

// The three ways to start a page: at an index counted from the first item (?2 is the
// index), at a known item (?2 its anchor), or just after it. ?3 is the page's size.
struct EnumKeyQueries {
    static constexpr const char* kAtIndex = "SELECT name, folded FROM registry_keys "
                                            "WHERE parent = ?1 ORDER BY folded LIMIT ?3 OFFSET ?2";
    static constexpr const char* kAtItem = "SELECT name, folded FROM registry_keys "
                                           "WHERE parent = ?1 AND folded >= ?2 "
                                           "ORDER BY folded LIMIT ?3";
    static constexpr const char* kAfterItem = "SELECT name, folded FROM registry_keys "
                                              "WHERE parent = ?1 AND folded > ?2 "
                                              "ORDER BY folded LIMIT ?3";
    static constexpr std::int64_t kPageSize = kKeysPerPage;
    static const std::string& Anchor(const EnumKeyItem& item) { return item.folded; }
    static EnumKeyItem Read(const SqliteQuery& row) { return {row.Text(0), row.Text(1)}; }
    static std::size_t DataBytes(const EnumKeyItem&) { return 0; }
};

struct EnumValueQueries {
    static constexpr const char* kAtIndex = "SELECT id, name, type, data FROM registry_values "
                                            "WHERE key = ?1 ORDER BY id LIMIT ?3 OFFSET ?2";
    static constexpr const char* kAtItem = "SELECT id, name, type, data FROM registry_values "
                                           "WHERE key = ?1 AND id >= ?2 ORDER BY id LIMIT ?3";
    static constexpr const char* kAfterItem = "SELECT id, name, type, data FROM registry_values "
                                              "WHERE key = ?1 AND id > ?2 ORDER BY id LIMIT ?3";
    static constexpr std::int64_t kPageSize = kValuesPerPage;
    static std::int64_t Anchor(const EnumValueItem& item) { return item.row; }
    static std::size_t DataBytes(const EnumValueItem& item) { return item.value.data.size(); }
    static EnumValueItem Read(const SqliteQuery& row) {
        return {row.Integer(0), row.Text(1), {DWORD(row.Integer(2)), row.Blob(3)}};
    }
};

constexpr const char* kSubKeyCounts =
    "SELECT count(*), coalesce(max(length(CAST(name AS BLOB))), 0) "
    "FROM registry_keys WHERE parent = ?1";
constexpr const char* kValueCounts =
    "SELECT count(*), coalesce(max(length(CAST(name AS BLOB))), 0), "
    "coalesce(max(length(data)), 0) FROM registry_values WHERE key = ?1";

// Why the file under an open connection may no longer be written by this user (its mode
// changed, or its file system was remounted read-only): the error number, or 0. SQLite
// keeps writing through the descriptor it opened with, so only the file's present state
// tells. Other failures (a name that no longer leads to a file) are left to SQLite. A hive
// in memory has no file: one that happens to bear its name is none of its business.
int FileWriteDenial(const SqliteConnection& database) {
    if (database.InMemory())
        return 0;
    const std::string file = database.FileName();
    if (faccessat(AT_FDCWD, file.c_str(), W_OK, AT_EACCESS) == 0)
        return 0;
    const int error = errno;
    return error == EACCES || error == EPERM || error == EROFS ? error : 0;
}

} // namespace

RegistryHive::RegistryHive(std::unique_ptr<SqliteConnection> database, bool readOnly)
    : db_(std::move(database)), readOnly_(readOnly) {}

// A file the user has made read-only gets nothing from closing either.
RegistryHive::~RegistryHive() {
    if (readOnly_ || FileWriteDenial(*db_) == 0)
        return;
    try {
        db_->SetCheckpointOnClose(false);
    } catch (const SqliteFailure&) {
        // The connection closes as it was set; nothing is left to report to.
    }
}

void RegistryHive::CreateSchema(SqliteConnection& database) {
    database.Execute("BEGIN IMMEDIATE");
    try {
        database.Execute(kSchema);
        database.Execute("COMMIT");
    } catch (const SqliteFailure&) {
        // SQLite may have rolled back already; the failure to report is the first one.
        if (database.InTransaction()) {
            try {
                database.Execute("ROLLBACK");
            } catch (const SqliteFailure&) {
            }
        }
        throw;
    }
}

LONG RegistryHive::CheckHive(SqliteConnection& database) {
    try {
        if (database.QueryInteger("PRAGMA application_id") != kHiveApplicationId ||
            database.QueryInteger("PRAGMA user_version") != kHiveLayoutVersion)
            return ERROR_REGISTRY_CORRUPT;
        SqliteQuery check = database.Query("PRAGMA quick_check");
        if (!check.Step() || check.Text(0) != "ok")
            return ERROR_REGISTRY_CORRUPT;
        return ERROR_SUCCESS;
    } catch (const SqliteFailure& failure) {
        return ResultFromFailure(failure);
    }
}

bool RegistryHive::FileStillAHive() {
    // The database header: its text at the start, the application id big-endian at 68.
    constexpr char kHeaderText[] = "SQLite format 3";
    constexpr std::size_t kApplicationIdOffset = 68;
    std::array<unsigned char, 100> header{};
    std::lock_guard lock(mutex_);
    if (!db_->ReadFileStart(header) ||
        std::memcmp(header.data(), kHeaderText, sizeof kHeaderText) != 0)
        return false;
    std::int64_t applicationId = 0;
    for (std::size_t i = 0; i < 4; ++i)
        applicationId = applicationId << 8 | header[kApplicationIdOffset + i];
    return applicationId == kHiveApplicationId;
}

void RegistryHive::LeaveFileAsItIs() {
    std::lock_guard lock(mutex_);
    db_->SetCheckpointOnClose(false);
}

template <typename Body> LONG RegistryHive::Transaction(Access access, Body&& body) {
    std::lock_guard lock(mutex_);
    if (access == Access::Write && !inBatch_) {
        if (const LONG result = CheckWritable(); result != ERROR_SUCCESS)
            return result;
    }
    if (access == Access::Write)
        ++generation_;
    try {
        Begin(access);
        const LONG result = body();
        if (result == ERROR_SUCCESS)
            Commit();
        else
            Rollback();
        return result;
    } catch (const SqliteFailure& failure) {
        Rollback();
        return Failed(failure);
    }
}

LONG RegistryHive::Failed(const SqliteFailure& failure) {
    return NoteSqliteFailure(db_->FileName(), failure);
}

LONG RegistryHive::CheckWritable() {
    if (readOnly_) {
        NoteHiveFailure(ERROR_ACCESS_DENIED, db_->FileName(),
                        "the file is read-only for this user");
        return ERROR_ACCESS_DENIED;
    }
    if (const int error = FileWriteDenial(*db_); error != 0) {
        NoteHiveFailure(ERROR_ACCESS_DENIED, db_->FileName(), SystemErrorText(error));
        return ERROR_ACCESS_DENIED;
    }
    return ERROR_SUCCESS;
}

void RegistryHive::Begin(Access access) {
    if (!inBatch_) {
        // A writer takes the write lock before it reads, so that two writers never
        // both hold read locks and wait for each other.
        if (access == Access::Read)
            db_->Query("BEGIN").Run();
        else
            db_->Query("BEGIN IMMEDIATE").Run();
        return;
    }
    if (!db_->InTransaction())
        throw SqliteFailure{SQLITE_ABORT}; // the batch was lost to an earlier failure
}

// A call of one writing statement needs no savepoint: SQLite undoes a failed statement
// whole by itself, and reads change nothing.
void RegistryHive::OpenUndoPoint() {
    if (!inBatch_ || undoPoint_)
        return;
    db_->Query("SAVEPOINT registry_call").Run();
    undoPoint_ = true;
}

void RegistryHive::Commit() {
    if (!inBatch_) {
        db_->Query("COMMIT").Run();
    } else if (undoPoint_) {
        db_->Query("RELEASE registry_call").Run();
        undoPoint_ = false; // only once released: a failure to release still goes back
    }
}

void RegistryHive::Rollback() {
    const bool undoPoint = std::exchange(undoPoint_, false);
    if (undoPoint || !db_->InTransaction())
        known_.Forget(); // keys made since the savepoint, or in the whole batch, are gone
    if (!db_->InTransaction())
        return; // SQLite already rolled back after the failure
    try {
        if (!inBatch_) {
            db_->Query("ROLLBACK").Run();
        } else if (undoPoint) {
            db_->Query("ROLLBACK TO registry_call").Run();
            db_->Query("RELEASE registry_call").Run();
        }
    } catch (const SqliteFailure&) {
        // Nothing more can be undone; the failure that led here is what is reported.
    }
}

template <typename Act> LONG RegistryHive::OnKey(Access access, const KeyPath& path, Act&& act) {
    return Transaction(access, [&] {
        KeyId key = 0;
        if (const LONG result = Resolve(path, key); result != ERROR_SUCCESS)
            return result;
        return act(key);
    });
}

bool RegistryHive::KeyExists(KeyId key) {
    if (inBatch_ && known_.Exists(key))
        return true;
    if (!db_->Query(kKeyExists).Bind(1, key).Step())
        return false;
    if (inBatch_)
        known_.AddExisting(key);
    return true;
}

bool RegistryHive::FindSubKey(KeyId parent, std::string_view name, KeyId& key) {
    if (inBatch_ && known_.FindSubKey(parent, name, key))
        return true;
    {
        const std::string folded = FoldName(name);
        SqliteQuery query = db_->Query(kFindSubKey);
        if (!query.Bind(1, parent).Bind(2, folded).Step())
            return false;
        key = query.Integer(0);
    }
    if (inBatch_)
        known_.AddSubKey(parent, name, key);
    return true;
}

bool RegistryHive::HasSubKeys(KeyId key) {
    return db_->Query(kHasSubKeys).Bind(1, key).Step();
}

// The root is never deleted; any other key may have been since its id was looked up.
LONG RegistryHive::Resolve(const KeyPath& path, KeyId& key) {
    key = path.base;
    if (key != kRootKeyId && !KeyExists(key))
        return ERROR_KEY_DELETED;
    for (const std::string_view name : path.names) {
        if (!FindSubKey(key, name, key))
            return ERROR_FILE_NOT_FOUND;
    }
    return ERROR_SUCCESS;
}

LONG RegistryHive::OpenKey(const KeyPath& path, KeyId& key) {
    return OnKey(Access::Read, path, [&](KeyId found) {
        key = found;
        return ERROR_SUCCESS;
    });
}

LONG RegistryHive::CreateKey(const KeyPath& path, KeyId& key, bool& created) {
    return Transaction(Access::Write, [&] {
        KeyId current = path.base;
        created = false;
        if (current != kRootKeyId && !KeyExists(current))
            return ERROR_KEY_DELETED;
        auto name = path.names.begin();
        while (name != path.names.end() && FindSubKey(current, *name, current))
            ++name;
        if (path.names.end() - name > 1)
            OpenUndoPoint();
        for (; name != path.names.end(); ++name) {
            const std::string folded = FoldName(*name);
            db_->Query(kInsertKey).Bind(1, current).Bind(2, *name).Bind(3, folded).Run();
            const KeyId parent = std::exchange(current, db_->LastInsertId());
            if (inBatch_)
                known_.AddSubKey(parent, *name, current);
            created = true;
        }
        key = current;
        return ERROR_SUCCESS;
    });
}

LONG RegistryHive::DeleteKey(const KeyPath& path) {
    return OnKey(Access::Write, path, [&](KeyId key) {
        if (key == kRootKeyId || HasSubKeys(key))
            return ERROR_ACCESS_DENIED;
        known_.Forget();
        OpenUndoPoint();
        db_->Query(kDeleteKeyValues).Bind(1, key).Run();
        db_->Query(kDeleteKey).Bind(1, key).Run();
        return ERROR_SUCCESS;
    });
}

LONG RegistryHive::DeleteTree(const KeyPath& path, bool keepKey) {
    return OnKey(Access::Write, path, [&](KeyId key) {
        known_.Forget();
        OpenUndoPoint();
        if (key == kRootKeyId) {
            db_->Query(kDeleteAllValues).Run();
            db_->Query(kDeleteAllSubKeys).Bind(1, kRootKeyId).Run();
            return ERROR_SUCCESS;
        }
        db_->Query(kDeleteTreeValues).Bind(1, key).Run();
        db_->Query(kDeleteTreeSubKeys).Bind(1, key).Run();
        if (!keepKey)
            db_->Query(kDeleteKey).Bind(1, key).Run();
        return ERROR_SUCCESS;
    });
}

LONG RegistryHive::QueryValue(const KeyPath& path, std::string_view name, StoredValue& value) {
    return OnKey(Access::Read, path, [&](KeyId key) {
        const std::string folded = FoldName(name);
        SqliteQuery query = db_->Query(kQueryValue);
        if (!query.Bind(1, key).Bind(2, folded).Step())
            return ERROR_FILE_NOT_FOUND;
        value.type = DWORD(query.Integer(0));
        value.data = query.Blob(1);
        return ERROR_SUCCESS;
    });
}

LONG RegistryHive::SetValue(const KeyPath& path, std::string_view name, DWORD type,
                            std::span<const BYTE> data) {
    return OnKey(Access::Write, path, [&](KeyId key) {
        const std::string folded = FoldName(name);
        db_->Query(kSetValue)
            .Bind(1, key)
            .Bind(2, name)
            .Bind(3, folded)
            .Bind(4, std::int64_t(type))
            .BindBlob(5, data)
            .Run();
        return ERROR_SUCCESS;
    });
}

LONG RegistryHive::DeleteValue(const KeyPath& path, std::string_view name) {
    return OnKey(Access::Write, path, [&](KeyId key) {
        const std::string folded = FoldName(name);
        db_->Query(kDeleteValue).Bind(1, key).Bind(2, folded).Run();
        return db_->Changes() > 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

template <typename Item, typename Queries, typename Out>
LONG RegistryHive::Enumerate(const KeyPath& path, DWORD index, EnumPage<Item>& page, Out&& out) {
    {
        std::lock_guard lock(mutex_);
        if (page.generation == generation_ && index >= page.first) {
            const std::size_t offset = index - page.first;
            if (offset < page.items.size()) {
                out(page.items[offset]);
                return ERROR_SUCCESS;
            }
            if (offset == page.items.size() && page.complete)
                return ERROR_NO_MORE_ITEMS;
        }
    }
    return OnKey(Access::Read, path, [&](KeyId key) {
        const std::size_t offset = index >= page.first ? index - page.first : page.items.size() + 1;
        const bool atItem = offset < page.items.size();
        const bool afterItem = offset == page.items.size() && !page.items.empty();
        const SqlText text = atItem      ? SqlText(Queries::kAtItem)
                             : afterItem ? SqlText(Queries::kAfterItem)
                                         : SqlText(Queries::kAtIndex);
        SqliteQuery query = db_->Query(text);
        query.Bind(1, key).Bind(3, Queries::kPageSize);
        if (atItem)
            query.Bind(2, Queries::Anchor(page.items[offset]));
        else if (afterItem)
            query.Bind(2, Queries::Anchor(page.items.back()));
        else
            query.Bind(2, std::int64_t(index));
        std::vector<Item> items;
        std::size_t bytes = 0;
        bool exhausted = false;
        while (bytes < kValueBytesPerPage) {
            if (!query.Step()) {
                exhausted = true;
                break;
            }
            items.push_back(Queries::Read(query));
            bytes += Queries::DataBytes(items.back());
        }
        const bool complete = exhausted && std::int64_t(items.size()) < Queries::kPageSize;
        page = {index, std::move(items), complete, generation_};
        if (page.items.empty())
            return ERROR_NO_MORE_ITEMS;
        out(page.items.front());
        return ERROR_SUCCESS;
    });
}

LONG RegistryHive::EnumKey(const KeyPath& path, DWORD index, std::string& name,
                           EnumCursor* cursor) {
    EnumCursor once; // the roots keep no cursor
    return Enumerate<EnumKeyItem, EnumKeyQueries>(
        path, index, (cursor ? *cursor : once).keys,
        [&](const EnumKeyItem& item) { name = item.name; });
}

LONG RegistryHive::EnumValue(const KeyPath& path, DWORD index, std::string& name,
                             StoredValue& value, EnumCursor* cursor) {
    EnumCursor once;
    return Enumerate<EnumValueItem, EnumValueQueries>(path, index, (cursor ? *cursor : once).values,
                                                      [&](const EnumValueItem& item) {
                                                          name = item.name;
                                                          value = item.value;
                                                      });
}

LONG RegistryHive::QueryCounts(const KeyPath& path, KeyCounts& counts) {
    return OnKey(Access::Read, path, [&](KeyId key) {
        SqliteQuery subKeys = db_->Query(kSubKeyCounts);
        subKeys.Bind(1, key).Step();
        counts.subKeys = DWORD(subKeys.Integer(0));
        counts.longestSubKeyName = DWORD(subKeys.Integer(1));
        SqliteQuery values = db_->Query(kValueCounts);
        values.Bind(1, key).Step();
        counts.values = DWORD(values.Integer(0));
        counts.longestValueName = DWORD(values.Integer(1));
        counts.longestValueData = DWORD(values.Integer(2));
        return ERROR_SUCCESS;
    });
}

LONG RegistryHive::BeginBatch() {
    std::lock_guard lock(mutex_);
    if (const LONG result = CheckWritable(); result != ERROR_SUCCESS)
        return result;
    if (inBatch_)
        return ERROR_INVALID_PARAMETER;
    try {
        db_->Execute("BEGIN IMMEDIATE");
        inBatch_ = true;
        known_.Forget();
        return ERROR_SUCCESS;
    } catch (const SqliteFailure& failure) {
        return Failed(failure);
    }
}

LONG RegistryHive::CommitBatch() {
    std::lock_guard lock(mutex_);
    if (!inBatch_)
        return ERROR_INVALID_PARAMETER;
    inBatch_ = false;
    ++generation_;
    known_.Forget();
    try {
        if (!db_->InTransaction())
            return ERROR_REGISTRY_IO_FAILED; // rolled back by SQLite after a failure
        db_->Execute("COMMIT");
        return ERROR_SUCCESS;
    } catch (const SqliteFailure& failure) {
        Rollback();
        return Failed(failure);
    }
}

void RegistryHive::RollbackBatch() {
    std::lock_guard lock(mutex_);
    if (!inBatch_)
        return;
    inBatch_ = false;
    ++generation_;
    known_.Forget();
    Rollback();
}

} // namespace horvane
