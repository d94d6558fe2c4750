#pragma once
// One hive file: a tree of keys holding typed values, kept in an SQLite database.
// Every public operation is one transaction and answers a registry result code.

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

using KeyId = std::int64_t;
inline constexpr KeyId kRootKeyId = 1;

// A key given by a key known to exist (by id) and the key names below it.
struct KeyPath {
    KeyId base = kRootKeyId;
    std::vector<std::string> names;
};

struct StoredValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
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

    // Creates the tables of an empty hive in a database that has none.
    static void CreateSchema(SqliteConnection& database);
    // Answers ERROR_SUCCESS when the database is an undamaged hive.
    static LONG CheckHive(SqliteConnection& database);

    bool IsReadOnly() const { return readOnly_; }

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
    LONG EnumKey(const KeyPath& path, DWORD index, std::string& name);
    LONG EnumValue(const KeyPath& path, DWORD index, std::string& name, StoredValue& value);
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
    void Begin(Access access);
    void Commit();
    void Rollback();

    LONG Resolve(const KeyPath& path, KeyId& key);
    bool KeyExists(KeyId key);
    bool FindSubKey(KeyId parent, const std::string& name, KeyId& key);
    bool HasSubKeys(KeyId key);

    std::mutex mutex_;
    std::unique_ptr<SqliteConnection> db_;
    bool readOnly_;
    bool inBatch_ = false;
};

// The registry result code for an SQLite result code.
LONG ResultFromSqlite(int sqliteCode);

} // namespace horvane
