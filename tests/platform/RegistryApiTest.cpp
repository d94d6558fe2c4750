#include "platform/registry/RegistryNames.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <cstring>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

using Bytes = std::vector<BYTE>;
using Names = std::vector<std::string>;

class RegistryApi : public ::testing::Test {
protected:
    // Creates the key below root and answers its handle, closed when the test ends.
    HKEY Create(HKEY root, const std::string& path, DWORD* disposition = nullptr) {
        HKEY key{};
        EXPECT_EQ(RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                  disposition),
                  ERROR_SUCCESS)
            << path;
        return opened_.emplace_back(key);
    }
    void TearDown() override { std::for_each(opened_.begin(), opened_.end(), RegCloseKey); }

    TemporaryHives hives_;
    std::vector<HKEY> opened_;
};

LONG Set(HKEY key, const std::string& name, DWORD type, const Bytes& data) {
    return RegSetValueExA(key, name.c_str(), 0, type, data.data(), DWORD(data.size()));
}

// The subkeys (or the values) of a key in the order enumerated; during(i) runs after item i.
Names Walk(
    HKEY key, bool values, const std::function<void(DWORD)>& during = [](DWORD) {}) {
    Names names;
    char name[64];
    for (DWORD i = 0, length = sizeof name;
         values ? RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == 0
                : RegEnumKeyA(key, i, name, sizeof name) == 0;
         ++i, length = sizeof name) {
        names.emplace_back(name, values ? length : std::strlen(name));
        during(i);
    }
    return names;
}

} // namespace

// Values of any type number keep their exact bytes, and the place and spelling they were
// first written with; subkeys come in the order of their names; names have no case.
TEST_F(RegistryApi, KeepsValuesAsFirstWrittenAndComparesNamesWithoutCase) {
    const std::vector<std::tuple<std::string, DWORD, Bytes>> values{
        {"z", REG_SZ, {'a', 'b', 0}},
        {"a", REG_SZ, {}},
        {"d", REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
        {"x", 0xDEADBEEF, {0xC3, 0x28}}};
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Ciudad de México");
    for (const auto& [name, type, data] : values)
        ASSERT_EQ(Set(key, name, REG_BINARY, {}), ERROR_SUCCESS);
    for (auto value = values.rbegin(); value != values.rend(); ++value) { // the last first
        const auto& [name, type, data] = *value;
        ASSERT_EQ(Set(key, std::string(1, char(std::toupper(name[0]))), type, data), 0);
    }
    for (const auto& [name, type, data] : values) {
        const RawValue stored = ReadRaw(HKEY_CURRENT_USER, "SOFTWARE\\CIUDAD DE MÉXICO", name);
        EXPECT_EQ(std::tie(stored.type, stored.data), std::tie(type, data)) << name;
    }
    EXPECT_EQ(Walk(key, true), (Names{"z", "a", "d", "x"}));
    DWORD disposition = 0;
    for (const char* name : {"tokyo", "Barrow", "london", "Chicago", "TOKYO"})
        Create(key, name, &disposition);
    EXPECT_EQ(disposition, DWORD(REG_OPENED_EXISTING_KEY));
    EXPECT_EQ(Walk(key, false), (Names{"Barrow", "Chicago", "london", "tokyo"}));
}

// Names are limited in characters, not bytes, and must be well-formed UTF-8: no overlong
// form, no surrogate, nothing beyond U+10FFFF.
TEST(KeyNames, SplitAPathIntoKeyNamesOrRefuseIt) {
    std::string longest;
    for (int i = 0; i < 255; ++i)
        longest += "é";
    const std::string path = longest + "\\Россия, 東京";
    PathNames names;
    EXPECT_TRUE(SplitKeyPath(path, names) &&
                std::vector(names.begin(), names.end()) ==
                    (std::vector<std::string_view>{longest, "Россия, 東京"}));
    // Deeper than the names a path keeps in place.
    EXPECT_TRUE(
        SplitKeyPath("a\\b\\c\\d\\e\\f\\g\\h\\i\\j", names) &&
        std::vector(names.begin(), names.end()) ==
            (std::vector<std::string_view>{"a", "b", "c", "d", "e", "f", "g", "h", "i", "j"}));
    for (const std::string& path :
         {std::string("\\Software"), std::string("a\\\\b"), std::string("\xC0\xAF"),
          std::string("\xED\xA0\x80"), std::string("\xF4\x90\x80\x80"), longest + "é"})
        EXPECT_FALSE(SplitKeyPath(path, names)) << path;
}

// Long walks cross the read-ahead pages (the first values are too large to read ahead
// together); writes during a walk must neither repeat nor skip the items that were there
// all along.
TEST_F(RegistryApi, AWalkSeesEveryLastingItemOnceWhateverChangesAroundIt) {
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Walk");
    Names lasting;
    RegistryBatch batch(HKEY_CURRENT_USER); // one transaction, for speed
    ASSERT_EQ(batch.Begin(), ERROR_SUCCESS);
    for (int i = 0; i < 300; ++i) {
        lasting.push_back((i % 2 ? "K" : "k") + std::to_string(1000 + i));
        Create(key, lasting.back());
        ASSERT_EQ(Set(key, lasting.back(), REG_BINARY, Bytes(i < 3 ? 700'000 : 4, BYTE(i))), 0);
    }
    ASSERT_EQ(batch.Commit(), ERROR_SUCCESS);
    const Names keys = Walk(key, false, [&](DWORD i) {
        if (i == 150) { // keys come and go before and after the walk's place
            Create(key, "a-early");
            EXPECT_EQ(RegDeleteKeyA(key, "k1000") | RegDeleteKeyA(key, "k1160"), 0);
        }
    });
    const Names values = Walk(key, true, [&](DWORD i) {
        EXPECT_EQ(i == 100 ? RegDeleteValueA(key, "k1000") | RegDeleteValueA(key, "k1110") : 0, 0);
    });
    Names keysLeft = lasting, valuesLeft = lasting; // written in folded order already
    keysLeft.erase(keysLeft.begin() + 160);
    valuesLeft.erase(valuesLeft.begin() + 110);
    EXPECT_EQ(std::make_pair(keys, values), std::make_pair(keysLeft, valuesLeft));
    // Jumping back answers the item at that index now.
    char name[64];
    EXPECT_EQ(RegEnumKeyA(key, 0, name, sizeof name) == 0 ? name : "", std::string("a-early"));
}

// A key goes only when it has no subkeys, or with its whole tree;
// a handle to a deleted key stays dead; a handle serves only the access it was opened with;
// the classes root is the machine's Software\Classes.
TEST_F(RegistryApi, DeletesKeysAndHonoursHandlesAndRoots) {
    const HKEY gone = Create(HKEY_CURRENT_USER, "Software\\Parent\\Child");
    EXPECT_EQ(std::vector<LONG>({RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"),
                                 RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent\\Child"),
                                 RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"),
                                 RegDeleteKeyA(HKEY_CURRENT_USER, "")}),
              std::vector<LONG>({ERROR_ACCESS_DENIED, 0, 0, ERROR_ACCESS_DENIED}));
    HKEY reading{};
    ASSERT_EQ(RegOpenKeyExA(Create(HKEY_CURRENT_USER, "Software\\Tree\\A"), "", 0, KEY_QUERY_VALUE,
                            &reading),
              ERROR_SUCCESS);
    char name[8];
    EXPECT_EQ(std::vector<LONG>({Set(gone, "V", REG_SZ, {0}), Set(reading, "V", REG_SZ, {0}),
                                 RegEnumKeyA(reading, 0, name, 8), RegCloseKey(reading),
                                 RegCloseKey(reading)}),
              std::vector<LONG>({ERROR_KEY_DELETED, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, 0,
                                 ERROR_INVALID_HANDLE}));
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tree"), ERROR_SUCCESS);
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, "Software"), Names{});
    ASSERT_EQ(Set(Create(HKEY_CLASSES_ROOT, ".hvn"), "", REG_SZ, {'H', 0}), ERROR_SUCCESS);
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.hvn", "").data, (Bytes{'H', 0}));
    // Emptied from its root, a hive loses every key and value, the root's own too, and the
    // root takes new ones.
    ASSERT_EQ(Set(HKEY_CURRENT_USER, "R", REG_SZ, {0}), ERROR_SUCCESS);
    EXPECT_EQ(
        std::vector<LONG>({RegDeleteTreeA(HKEY_CURRENT_USER, nullptr),
                           ReadRaw(HKEY_CURRENT_USER, "", "R").result,
                           Set(Create(HKEY_CURRENT_USER, "Software\\After"), "V", REG_SZ, {0})}),
        std::vector<LONG>({0, ERROR_FILE_NOT_FOUND, 0}));
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, "Software"), Names{"After"});
}

// Inside a batch, keys once found are not looked up again; a deletion still shows at once,
// through paths and handles alike.
TEST_F(RegistryApi, InsideABatchDeletedKeysAreGoneAtOnce) {
    RegistryBatch batch(HKEY_CURRENT_USER);
    ASSERT_EQ(batch.Begin(), ERROR_SUCCESS);
    DWORD made = 0, again = 0, remade = 0;
    const HKEY child = Create(HKEY_CURRENT_USER, "Software\\Batch\\A\\B", &made);
    Create(HKEY_CURRENT_USER, "software\\batch\\a\\b", &again);
    const auto open = [](const char* path) {
        HKEY key{};
        const LONG result = RegOpenKeyExA(HKEY_CURRENT_USER, path, 0, KEY_READ, &key);
        RegCloseKey(key);
        return result;
    };
    EXPECT_EQ(std::vector<LONG>({RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Batch\\A"),
                                 open("Software\\Batch\\A\\B"), Set(child, "V", REG_SZ, {0}),
                                 open("Software\\Batch")}),
              std::vector<LONG>({0, ERROR_FILE_NOT_FOUND, ERROR_KEY_DELETED, 0}));
    Create(HKEY_CURRENT_USER, "Software\\Batch\\A\\B", &remade);
    EXPECT_EQ(std::vector<LONG>({RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Batch\\A\\B"),
                                 open("Software\\Batch\\A\\B")}),
              std::vector<LONG>({0, ERROR_FILE_NOT_FOUND}));
    EXPECT_EQ(
        std::vector<DWORD>({made, again, remade}),
        std::vector<DWORD>({REG_CREATED_NEW_KEY, REG_OPENED_EXISTING_KEY, REG_CREATED_NEW_KEY}));
}

// A relative configuration folder is ignored. No other test here reads the default
// locations, so the variables are left as set.
TEST(RegistryLocations, PutTheUserHiveUnderTheConfigurationFolder) {
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(DefaultRegistryHiveLocations().user, "/home/someone/.config/horvane/user.hive");
}
