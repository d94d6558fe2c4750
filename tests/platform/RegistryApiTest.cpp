#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryHives.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <algorithm>
#include <cstdlib>
#include <gtest/gtest.h>

using namespace horvane;
using namespace horvane::test_support;

namespace {

using Bytes = std::vector<BYTE>;
using Names = std::vector<std::string>;

class RegistryApi : public ::testing::Test {
protected:
    // Creates the key below root and answers its handle, closed when the test ends.
    HKEY Create(HKEY root, const char* path, DWORD* disposition = nullptr) {
        HKEY key{};
        EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, disposition),
                  ERROR_SUCCESS)
            << path;
        opened_.push_back(key);
        return key;
    }

    static LONG Set(HKEY key, const char* name, DWORD type, const Bytes& data) {
        return RegSetValueExA(key, name, 0, type, data.data(), DWORD(data.size()));
    }

    static Names ValueNames(HKEY key) {
        Names names;
        char name[256];
        DWORD length = sizeof name;
        for (DWORD i = 0; RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
             ++i, length = sizeof name)
            names.emplace_back(name, length);
        return names;
    }

    void TearDown() override {
        for (HKEY key : opened_)
            RegCloseKey(key);
    }

    TemporaryHives hives_;
    std::vector<HKEY> opened_;
};

} // namespace

TEST_F(RegistryApi, ValuesKeepTheirTypeNumberAndExactBytes) {
    const std::vector<std::pair<DWORD, Bytes>> table{{REG_SZ, {'a', 'b', 0}},
                                                     {REG_SZ, {}},
                                                     {REG_MULTI_SZ, {'a', 0, 'b', 0, 0}},
                                                     {REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
                                                     {REG_BINARY, {0, 0, 0x80, 0xFF}},
                                                     {REG_NONE, {1}},
                                                     {REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
                                                     {0xDEADBEEF, {0xC3, 0x28}}};
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Test");
    for (std::size_t i = 0; i < table.size(); ++i)
        ASSERT_EQ(Set(key, std::to_string(i).c_str(), table[i].first, table[i].second), 0);
    for (std::size_t i = 0; i < table.size(); ++i) {
        const RawValue stored = ReadRaw(key, "", std::to_string(i));
        EXPECT_EQ(std::make_pair(stored.type, stored.data), table[i]) << i;
    }

    BYTE small[2];
    DWORD size = sizeof small;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "0", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(std::make_pair(size, type), std::make_pair(DWORD(3), DWORD(REG_SZ)));
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryApi, ComparesNamesWithoutCaseAndKeepsTheirFirstSpelling) {
    Create(HKEY_CURRENT_USER, "Software\\Locations\\Ciudad de México, México");
    DWORD disposition = 0;
    const HKEY place =
        Create(HKEY_CURRENT_USER, "SOFTWARE\\locations\\CIUDAD DE MÉXICO, MÉXICO", &disposition);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
    ASSERT_EQ(Set(place, "Latitude", REG_SZ, {'1', 0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(place, "LATITUDE", REG_SZ, {'2', 0}), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(place), Names{"Latitude"});
    EXPECT_EQ(
        ReadRaw(HKEY_CURRENT_USER, "software\\LOCATIONS\\ciudad de méxico, méxico", "latitude")
            .data,
        (Bytes{'2', 0}));
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, "Software\\Locations"),
              Names{"Ciudad de México, México"});
}

TEST_F(RegistryApi, EnumeratesSubKeysByNameAndValuesInWritingOrder) {
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Order");
    for (const char* name : {"tokyo", "Barrow", "london", "Chicago"})
        Create(key, name);
    for (const char* name : {"Z", "a", "M"})
        ASSERT_EQ(Set(key, name, REG_SZ, {0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "Z", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS); // keeps its place

    EXPECT_EQ(RawSubKeys(key, ""), (Names{"Barrow", "Chicago", "london", "tokyo"}));
    EXPECT_EQ(ValueNames(key), (Names{"Z", "a", "M"}));
    char name[256];
    EXPECT_EQ(RegEnumKeyA(key, 4, name, sizeof name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumKeyA(key, 0, name, 6), ERROR_MORE_DATA); // "Barrow" needs 7

    DWORD subKeys = 0, longestSubKey = 0, values = 0, longestValueName = 0, longestData = 0;
    ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr,
                               &values, &longestValueName, &longestData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(std::vector<DWORD>({subKeys, longestSubKey, values, longestValueName, longestData}),
              std::vector<DWORD>({4, 7, 3, 1, 4}));
}

// Long walks cross the read-ahead pages; writes during a walk must neither repeat nor skip
// the items that were there all along.
TEST_F(RegistryApi, AWalkSeesEveryLastingItemOnceWhateverChangesAroundIt) {
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Walk");
    Names lasting;
    RegistryBatch batch(HKEY_CURRENT_USER); // one transaction, for speed
    ASSERT_EQ(batch.Begin(), ERROR_SUCCESS);
    for (int i = 0; i < 300; ++i) {
        const std::string name = (i % 2 ? "K" : "k") + std::to_string(1000 + i);
        Create(key, name.c_str());
        ASSERT_EQ(Set(key, name.c_str(), REG_DWORD, {BYTE(i), 0, 0, 0}), ERROR_SUCCESS);
        lasting.push_back(name);
    }
    ASSERT_EQ(batch.Commit(), ERROR_SUCCESS);
    Names keys;
    Names values;
    char name[64];
    DWORD length = sizeof name;
    for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i) {
        keys.push_back(name);
        if (i == 150) { // keys come and go before and after the walk's place
            Create(key, "a-early");
            ASSERT_EQ(RegDeleteKeyA(key, "k1000"), ERROR_SUCCESS);
            ASSERT_EQ(RegDeleteKeyA(key, "k1160"), ERROR_SUCCESS);
        }
    }
    for (DWORD i = 0;
         RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, length = sizeof name) {
        values.push_back(name);
        if (i == 100) {
            ASSERT_EQ(RegDeleteValueA(key, "k1000"), ERROR_SUCCESS);
            ASSERT_EQ(RegDeleteValueA(key, "k1110"), ERROR_SUCCESS);
        }
    }
    const auto without = [&](const std::string& gone) {
        Names names = lasting;
        names.erase(std::find(names.begin(), names.end(), gone));
        return names;
    };
    EXPECT_EQ(keys, without("k1160")); // written in folded order already
    EXPECT_EQ(values, without("k1110"));

    // Asking again for an index, or jumping back, answers the item at that index now.
    EXPECT_EQ(RegEnumKeyA(key, 200, name, 2), ERROR_MORE_DATA);
    ASSERT_EQ(RegEnumKeyA(key, 200, name, sizeof name), ERROR_SUCCESS);
    EXPECT_EQ(std::string(name), lasting[201]);
    ASSERT_EQ(RegEnumKeyA(key, 0, name, sizeof name), ERROR_SUCCESS);
    EXPECT_EQ(std::string(name), "a-early");
    length = sizeof name;
    ASSERT_EQ(RegEnumValueA(key, 7, name, &length, nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(std::string(name), lasting[8]);
}

TEST_F(RegistryApi, EnumeratesValuesTooLargeToReadAheadTogether) {
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Large");
    for (BYTE fill : {1, 2, 3})
        ASSERT_EQ(Set(key, std::to_string(fill).c_str(), REG_BINARY, Bytes(700'000, fill)), 0);
    std::vector<BYTE> data(700'000);
    char name[8];
    DWORD index = 0;
    for (DWORD length = sizeof name, size = DWORD(data.size());
         RegEnumValueA(key, index, name, &length, nullptr, nullptr, data.data(), &size) == 0;
         length = sizeof name, size = DWORD(data.size())) {
        EXPECT_EQ(data, Bytes(700'000, BYTE(index + 1))) << index;
        ++index;
    }
    EXPECT_EQ(index, 3u);
}

TEST_F(RegistryApi, DeletesOnlyKeysWithoutSubKeysOrWholeTrees) {
    const HKEY gone = Create(HKEY_CURRENT_USER, "Software\\Parent\\Child");
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, "Software\\Parent"), Names{"Child"});
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent\\Child"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
    Create(HKEY_CURRENT_USER, "Software\\Treetop"); // must not take over the old key's identity
    EXPECT_EQ(Set(gone, "V", REG_SZ, {0}), ERROR_KEY_DELETED);

    ASSERT_EQ(Set(Create(HKEY_CURRENT_USER, "Software\\Tree\\A\\B"), "V", REG_SZ, {0}), 0);
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tree"), ERROR_SUCCESS);
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, "Software"), Names{"Treetop"});
}

TEST_F(RegistryApi, HonoursTheAccessAKeyWasOpenedWith) {
    Create(HKEY_CURRENT_USER, "Software\\Access");
    HKEY reading{};
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Access", 0, KEY_QUERY_VALUE, &reading),
              ERROR_SUCCESS);
    opened_.push_back(reading);
    EXPECT_EQ(Set(reading, "V", REG_SZ, {0}), ERROR_ACCESS_DENIED);
    char name[8];
    EXPECT_EQ(RegEnumKeyA(reading, 0, name, sizeof name), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(static_cast<HKEY>(12345)), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApi, ClassesRootIsTheMachinesSoftwareClassesAndReadingCreatesNoHive) {
    HKEY key{};
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(Set(Create(HKEY_CLASSES_ROOT, ".hvn"), "", REG_SZ, {'H', 0}), ERROR_SUCCESS);
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.hvn", "").data, (Bytes{'H', 0}));
    EXPECT_TRUE(std::filesystem::exists(hives_.MachineHive()));
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive().parent_path()));
}

// No other test here reads the default locations, so the variables are left as set.
TEST(RegistryLocations, PutTheUserHiveUnderTheConfigurationFolder) {
    setenv("XDG_CONFIG_HOME", "/tmp/somewhere", 1);
    EXPECT_EQ(DefaultRegistryHiveLocations().user, "/tmp/somewhere/horvane/user.hive");
    setenv("XDG_CONFIG_HOME", "relative/ignored", 1);
    setenv("HOME", "/home/someone", 1);
    EXPECT_EQ(DefaultRegistryHiveLocations().user, "/home/someone/.config/horvane/user.hive");
    // A relative HOME counts as unset: the account's own folder is used.
    setenv("HOME", "relative/home", 1);
    EXPECT_TRUE(DefaultRegistryHiveLocations().user.is_absolute());
}
