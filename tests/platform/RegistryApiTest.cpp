#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryHives.h"
#include "tests/support/TemporaryHives.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace horvane;

namespace {

using Bytes = std::vector<BYTE>;

class RegistryApi : public ::testing::Test {
protected:
    // Creates the key below root and answers its handle.
    HKEY Create(HKEY root, const char* path) {
        HKEY key{};
        EXPECT_EQ(RegCreateKeyExA(root, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                  nullptr, &key, nullptr),
                  ERROR_SUCCESS)
            << path;
        opened_.push_back(key);
        return key;
    }

    LONG Open(HKEY root, const char* path, REGSAM access, HKEY& key) {
        const LONG result = RegOpenKeyExA(root, path, 0, access, &key);
        if (result == ERROR_SUCCESS)
            opened_.push_back(key);
        return result;
    }

    static LONG Set(HKEY key, const char* name, DWORD type, const Bytes& data) {
        return RegSetValueExA(key, name, 0, type, data.data(), DWORD(data.size()));
    }

    static LONG Query(HKEY key, const char* name, DWORD& type, Bytes& data) {
        DWORD size = 0;
        if (const LONG result = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
            result != ERROR_SUCCESS)
            return result;
        data.resize(size);
        return RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
    }

    static std::vector<std::string> SubKeys(HKEY key) {
        std::vector<std::string> names;
        char name[256];
        for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
            names.push_back(name);
        return names;
    }

    static std::vector<std::string> ValueNames(HKEY key) {
        std::vector<std::string> names;
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

    test_support::TemporaryHives hives_;
    std::vector<HKEY> opened_;
};

struct StoredCase {
    DWORD type;
    Bytes data;
};

class ValueStorage : public RegistryApi, public ::testing::WithParamInterface<StoredCase> {};

} // namespace

TEST_P(ValueStorage, KeepsTypeNumberAndExactBytes) {
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Test");
    ASSERT_EQ(Set(key, "Value", GetParam().type, GetParam().data), ERROR_SUCCESS);
    DWORD type = 0xFFFF;
    Bytes data;
    ASSERT_EQ(Query(key, "Value", type, data), ERROR_SUCCESS);
    EXPECT_EQ(type, GetParam().type);
    EXPECT_EQ(data, GetParam().data);
}

INSTANTIATE_TEST_SUITE_P(Table, ValueStorage,
                         ::testing::Values(StoredCase{REG_SZ, {'a', 'b', 0}},
                                           StoredCase{REG_SZ, {}},
                                           StoredCase{REG_MULTI_SZ, {'a', 0, 'b', 0, 0}},
                                           StoredCase{REG_DWORD, {0xFF, 0xFF, 0xFF, 0xFF}},
                                           StoredCase{REG_BINARY, {0, 0, 0x80, 0xFF}},
                                           StoredCase{REG_NONE, {1}},
                                           StoredCase{REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}},
                                           StoredCase{0xDEADBEEF, {0xC3, 0x28}}));

TEST_F(RegistryApi, AnswersMoreDataWithTheSizeNeeded) {
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Test");
    ASSERT_EQ(Set(key, "Text", REG_SZ, {'a', 'b', 'c', 0}), ERROR_SUCCESS);
    BYTE small[2];
    DWORD size = sizeof small;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "Text", nullptr, &type, small, &size), ERROR_MORE_DATA);
    EXPECT_EQ(size, 4u);
    EXPECT_EQ(type, REG_SZ);
    EXPECT_EQ(RegQueryValueExA(key, "Missing", nullptr, &type, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryApi, ComparesNamesWithoutCaseAndKeepsTheirFirstSpelling) {
    Create(HKEY_CURRENT_USER, "Software\\Locations\\Ciudad de México, México");
    HKEY place{};
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "SOFTWARE\\locations\\ciudad de méxico, méxico",
                   KEY_ALL_ACCESS, place),
              ERROR_SUCCESS);
    ASSERT_EQ(Set(place, "Latitude", REG_SZ, {'1', 0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(place, "LATITUDE", REG_SZ, {'2', 0}), ERROR_SUCCESS);
    EXPECT_EQ(ValueNames(place), std::vector<std::string>{"Latitude"});
    DWORD type = 0;
    Bytes data;
    ASSERT_EQ(Query(place, "latitude", type, data), ERROR_SUCCESS);
    EXPECT_EQ(data, (Bytes{'2', 0}));

    HKEY locations{};
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software\\Locations", KEY_READ, locations), ERROR_SUCCESS);
    EXPECT_EQ(SubKeys(locations), std::vector<std::string>{"Ciudad de México, México"});
    HKEY again{};
    DWORD disposition = 0;
    ASSERT_EQ(RegCreateKeyExA(locations, "CIUDAD DE MÉXICO, MÉXICO", 0, nullptr, 0, KEY_READ,
                              nullptr, &again, &disposition),
              ERROR_SUCCESS);
    RegCloseKey(again);
    EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
}

TEST_F(RegistryApi, EnumeratesSubKeysByNameAndValuesInWritingOrder) {
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Order");
    for (const char* name : {"tokyo", "Barrow", "london", "Chicago"})
        Create(key, name);
    for (const char* name : {"Z", "a", "M"})
        ASSERT_EQ(Set(key, name, REG_SZ, {0}), ERROR_SUCCESS);
    ASSERT_EQ(Set(key, "Z", REG_DWORD, {1, 0, 0, 0}), ERROR_SUCCESS); // keeps its place

    EXPECT_EQ(SubKeys(key), (std::vector<std::string>{"Barrow", "Chicago", "london", "tokyo"}));
    EXPECT_EQ(ValueNames(key), (std::vector<std::string>{"Z", "a", "M"}));
    char name[256];
    EXPECT_EQ(RegEnumKeyA(key, 4, name, sizeof name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumKeyA(key, 0, name, 6), ERROR_MORE_DATA); // "Barrow" needs 7

    DWORD subKeys = 0, longestSubKey = 0, values = 0, longestValueName = 0, longestData = 0;
    ASSERT_EQ(RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subKeys, &longestSubKey, nullptr,
                               &values, &longestValueName, &longestData, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(subKeys, 4u);
    EXPECT_EQ(longestSubKey, 7u);
    EXPECT_EQ(values, 3u);
    EXPECT_EQ(longestValueName, 1u);
    EXPECT_EQ(longestData, 4u);
}

TEST_F(RegistryApi, RefusesToDeleteAKeyWithSubKeys) {
    Create(HKEY_CURRENT_USER, "Software\\Parent\\Child");
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"), ERROR_ACCESS_DENIED);
    HKEY parent{};
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software\\Parent\\Child", KEY_READ, parent), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent\\Child"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Parent"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
}

TEST_F(RegistryApi, DeletesAWholeTree) {
    const HKEY child = Create(HKEY_CURRENT_USER, "Software\\Tree\\A\\B");
    ASSERT_EQ(Set(child, "V", REG_SZ, {0}), ERROR_SUCCESS);
    Create(HKEY_CURRENT_USER, "Software\\Treetop");
    ASSERT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Tree"), ERROR_SUCCESS);
    HKEY software{};
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software", KEY_READ, software), ERROR_SUCCESS);
    EXPECT_EQ(SubKeys(software), std::vector<std::string>{"Treetop"});
}

TEST_F(RegistryApi, AHandleToADeletedKeyAnswersKeyDeleted) {
    const HKEY key = Create(HKEY_CURRENT_USER, "Software\\Gone");
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\Gone"), ERROR_SUCCESS);
    Create(HKEY_CURRENT_USER, "Software\\Newer"); // must not take over the old key's identity
    EXPECT_EQ(Set(key, "V", REG_SZ, {0}), ERROR_KEY_DELETED);
}

TEST_F(RegistryApi, HonoursTheAccessAKeyWasOpenedWith) {
    Create(HKEY_CURRENT_USER, "Software\\Access");
    HKEY reading{};
    ASSERT_EQ(Open(HKEY_CURRENT_USER, "Software\\Access", KEY_QUERY_VALUE, reading), ERROR_SUCCESS);
    EXPECT_EQ(Set(reading, "V", REG_SZ, {0}), ERROR_ACCESS_DENIED);
    char name[8];
    EXPECT_EQ(RegEnumKeyA(reading, 0, name, sizeof name), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegCloseKey(static_cast<HKEY>(12345)), ERROR_INVALID_HANDLE);
}

TEST_F(RegistryApi, RefusesMalformedPathsAndNames) {
    HKEY key{};
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "a\\\\b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              &key, nullptr),
              ERROR_INVALID_PARAMETER);
    const std::string tooLong(256, 'x');
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, tooLong.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_INVALID_PARAMETER);
    const HKEY valid = Create(HKEY_CURRENT_USER, "Software\\Names");
    EXPECT_EQ(Set(valid, "bad\xFF", REG_SZ, {0}), ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryApi, ReadingAMissingHiveCreatesNoFile) {
    HKEY key{};
    EXPECT_EQ(Open(HKEY_CURRENT_USER, "Software", KEY_READ, key), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive().parent_path()));
}

TEST_F(RegistryApi, KeepsTheUserHiveOwnerOnly) {
    Create(HKEY_CURRENT_USER, "Software");
    struct stat folder {
    }, file{};
    ASSERT_EQ(stat(hives_.UserHive().parent_path().c_str(), &folder), 0);
    ASSERT_EQ(stat(hives_.UserHive().c_str(), &file), 0);
    EXPECT_EQ(folder.st_mode & 0777, 0700u);
    EXPECT_EQ(file.st_mode & 0777, 0600u);
}

namespace {

// Sets an environment variable for one scope and puts back what was there.
class ScopedEnvironment {
public:
    ScopedEnvironment(const char* name, const char* value) : name_(name) {
        if (const char* saved = std::getenv(name))
            saved_ = saved;
        setenv(name, value, 1);
    }
    ~ScopedEnvironment() {
        if (saved_)
            setenv(name_, saved_->c_str(), 1);
        else
            unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> saved_;
};

} // namespace

TEST(RegistryLocations, PutTheUserHiveUnderTheConfigurationFolder) {
    {
        ScopedEnvironment config("XDG_CONFIG_HOME", "/tmp/somewhere");
        EXPECT_EQ(DefaultRegistryHiveLocations().user, "/tmp/somewhere/horvane/user.hive");
    }
    ScopedEnvironment relative("XDG_CONFIG_HOME", "relative/ignored");
    ScopedEnvironment home("HOME", "/home/someone");
    EXPECT_EQ(DefaultRegistryHiveLocations().user, "/home/someone/.config/horvane/user.hive");
}

TEST_F(RegistryApi, ClassesRootIsTheMachinesSoftwareClasses) {
    const HKEY extension = Create(HKEY_CLASSES_ROOT, ".hvn");
    ASSERT_EQ(Set(extension, "", REG_SZ, {'H', 0}), ERROR_SUCCESS);
    HKEY machine{};
    ASSERT_EQ(Open(HKEY_LOCAL_MACHINE, "SOFTWARE\\Classes\\.hvn", KEY_READ, machine),
              ERROR_SUCCESS);
    DWORD type = 0;
    Bytes data;
    ASSERT_EQ(Query(machine, nullptr, type, data), ERROR_SUCCESS);
    EXPECT_EQ(data, (Bytes{'H', 0}));
    EXPECT_TRUE(std::filesystem::exists(hives_.MachineHive()));
    EXPECT_FALSE(std::filesystem::exists(hives_.UserHive()));
}

// An ordinary user reads the machine hive but cannot change it.
TEST_F(RegistryApi, MachineHiveRefusesWritesFromOrdinaryUsers) {
    const HKEY software = Create(HKEY_LOCAL_MACHINE, "Software\\Shared");
    ASSERT_EQ(Set(software, "V", REG_SZ, {'1', 0}), ERROR_SUCCESS);
    std::filesystem::permissions(hives_.Folder(), std::filesystem::perms(0755));
    SetRegistryHiveLocations({hives_.UserHive(), hives_.MachineHive()});

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const uid_t nobody = 65534;
        if (getuid() == 0 && (setgid(nobody) != 0 || setuid(nobody) != 0))
            _exit(10);
        HKEY key{};
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_READ, &key) != 0)
            _exit(11);
        if (RegSetValueExA(key, "V", 0, REG_SZ, nullptr, 0) != ERROR_ACCESS_DENIED)
            _exit(12);
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_ALL_ACCESS, &key) !=
            ERROR_ACCESS_DENIED)
            _exit(13);
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ".x", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr) != ERROR_ACCESS_DENIED)
            _exit(14);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    EXPECT_EQ(WEXITSTATUS(status), 0);
}
