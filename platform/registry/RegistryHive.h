#pragma once
// One hive file: a tree of keys holding typed values, kept in an SQLite database.
// Every public operation is one transaction and answers a registry result code.

#include "platform/registry/BatchKnownKeys.h"
#include "platform/registry/RegistryNames.h"
#include "platform/registry/RegistryTypes.h"
#include "platform/registry/SqliteConnection.h"

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace horvane {

inline constexpr KeyId kRootKeyId = 1;

// A key given by a key known to exist (by id) and the key names below it, which are the
// caller's text: a path lasts for one call.
struct KeyPath {
    KeyId base = kRootKeyId;
    PathNames names;
};

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// A run of items read ahead by one enumeration query, from index first on.
template <typename Item> struct EnumPage {
    DWORD first = 0;
    std::vector<Item> items;
    bool complete = false;        // no item follows the last one
    std::uint64_t generation = 0; // the hive's write count when the page was read
};

struct EnumKeyItem {
    std::string name;
    std::string folded;
};

struct EnumValueItem {
    std::int64_t row = 0;
    std::string name;
    StoredValue value;
};

// What one key handle read ahead while enumerating: the next index is served from the
// page, or read on from the page's last item, instead of counting from the first item
// again. A write through this process drops the page; a page may show a write of another
// process later than a fresh query would.
struct EnumCursor {
    EnumPage<EnumKeyItem> keys;
    EnumPage<EnumValueItem> values;
};

struct KeyCounts {
    DWORD subKeys = 0;
    DWORD longestSubKeyName = 0; // bytes
    DWORD values = 0;
    DWORD longestValueName = 0; // bytes
    DWORD longestValueData = 0; // bytes
};

class RegistryHive {
public:
    RegistryHive(std::unique_ptr<SqliteConnection> database, bool readOnly);
    RegistryHive(const RegistryHive&) = delete;
    RegistryHive& operator=(const RegistryHive&) = delete;
    ~RegistryHive();

    // Creates the tables of an empty hive in a database that has none.
    static void CreateSchema(SqliteConnection& database);
    // Answers ERROR_SUCCESS when the database is an undamaged hive.
    static LONG CheckHive(SqliteConnection& database);

    bool IsReadOnly() const { return readOnly_; }
    // Whether the file under the connection still starts as a hive of this program. A file
    // overwritten in place keeps its inode: SQLite would go on serving its cache and, at
    // close, write its log into whatever the file holds now.
    bool FileStillAHive();
    // From now on closing writes nothing into the file.
    void LeaveFileAsItIs();

    LONG OpenKey(const KeyPath& path, KeyId& key);
    LONG CreateKey(const KeyPath& path, KeyId& key, bool& created);
    // Deletes a key that has no subkeys.
    LONG DeleteKey(const KeyPath& path);
    // Deletes what the key holds, values and subkeys, and unless keepKey the key itself.
    LONG DeleteTree(const KeyPath& path, bool keepKey);

    LONG QueryValue(const KeyPath& path, std::string_view name, StoredValue& value);
    LONG SetValue(const KeyPath& path, std::string_view name, DWORD type,
                  std::span<const BYTE> data);
    LONG DeleteValue(const KeyPath& path, std::string_view name);

    // Subkeys in the order of their folded names; values in the order they were created.
    // With a cursor, walking the indexes upwards costs one indexed step per item; any
    // other index counts from the start.
    LONG EnumKey(const KeyPath& path, DWORD index, std::string& name, EnumCursor* cursor);
    LONG EnumValue(const KeyPath& path, DWORD index, std::string& name, StoredValue& value,
                   EnumCursor* cursor);
    LONG QueryCounts(const KeyPath& path, KeyCounts& counts);

    // Holds the hive's write lock and turns every later call, until the batch ends,
    // into part of one transaction.
    LONG BeginBatch();
    LONG CommitBatch();
    void RollbackBatch();

private:
    enum class Access { Read, Write };

    // Runs body as one transaction; a failure rolls it back and becomes a result code.
    template <typename Body> LONG Transaction(Access access, Body&& body);
    // Runs act(key) on the key the path leads to, as one transaction.
    template <typename Act> LONG OnKey(Access access, const KeyPath& path, Act&& act);
    // Hands the item at index to out, from the page when it holds it, otherwise after
    // reading a new page with the queries.
    template <typename Item, typename Queries, typename Out>
    LONG Enumerate(const KeyPath& path, DWORD index, EnumPage<Item>& page, Out&& out);
    // The result code for a failure, noted with the file and its cause.
    LONG Failed(const SqliteFailure& failure);
    // Refuses a write, noting why, when the connection or the file is read-only for this
    // user; the file's mode may have changed since it was opened.
    LONG CheckWritable();
    void Begin(Access access);
    // Before the writes of a call that changes the hive by more than one statement: within
    // a batch, a savepoint that a failure of the call goes back to.
    void OpenUndoPoint();
    void Commit();
    void Rollback();

    LONG Resolve(const KeyPath& path, KeyId& key);
    bool KeyExists(KeyId key);
    bool FindSubKey(KeyId parent, std::string_view name, KeyId& key);
    bool HasSubKeys(KeyId key);

    std::mutex mutex_;
    std::unique_ptr<SqliteConnection> db_;
    bool readOnly_;
    bool inBatch_ = false;
    bool undoPoint_ = false;       // the call in the batch has a savepoint to go back to
    BatchKnownKeys known_;         // within a batch only
    std::uint64_t generation_ = 0; // counts write transactions, so pages know they are stale
};

} // namespace horvane
