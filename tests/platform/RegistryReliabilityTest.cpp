// The hive under stress: several processes and users, a killed writer, damaged files.

#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryHives.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <csignal>
#include <functional>
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace horvane;
using namespace horvane::test_support;

namespace {

constexpr const char* kLoadKey = "Software\\Load";

HKEY CreateKey(const char* path) {
    HKEY key{};
    RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
    return key;
}

LONG WriteNumber(HKEY key, const std::string& name, DWORD number) {
    return RegSetValueExA(key, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                          sizeof number);
}

// The number stored under name, or -1 when it cannot be read.
std::int64_t ReadNumber(HKEY key, const std::string& name) {
    DWORD number = 0;
    DWORD size = sizeof number;
    if (RegQueryValueExA(key, name.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(&number),
                         &size) != ERROR_SUCCESS)
        return -1;
    return number;
}

std::string Name(int writer, int index) {
    return std::string("w") + std::to_string(writer) + "-" + std::to_string(index);
}

class RegistryReliability : public ::testing::Test {
protected:
    TemporaryHives hives_;
};

} // namespace

// The hive file does not exist yet: both writers race to create it too.
TEST_F(RegistryReliability, TwoProcessesWritingAtOnceLoseNothing) {
    constexpr int kWrites = 1000;
    std::vector<pid_t> writers;
    for (int writer = 0; writer < 2; ++writer) {
        writers.push_back(StartChild([writer] {
            const HKEY key = CreateKey(kLoadKey);
            for (int i = 0; i < kWrites; ++i) {
                if (const LONG result = WriteNumber(key, Name(writer, i), DWORD(i));
                    result != ERROR_SUCCESS)
                    return 100 + int(result % 100);
            }
            return 0;
        }));
    }
    for (const pid_t writer : writers)
        EXPECT_EQ(ExitStatus(writer), 0);

    const HKEY key = CreateKey(kLoadKey);
    for (int writer = 0; writer < 2; ++writer)
        for (int i = 0; i < kWrites; ++i)
            ASSERT_EQ(ReadNumber(key, Name(writer, i)), i) << Name(writer, i);
    RegCloseKey(key);
}

TEST_F(RegistryReliability, AKilledWriterLeavesEveryReturnedWrite) {
    int reports[2];
    ASSERT_EQ(pipe(reports), 0);
    const pid_t writer = StartChild([&reports] {
        close(reports[0]);
        const HKEY key = CreateKey(kLoadKey);
        for (int i = 0;; ++i) {
            if (WriteNumber(key, Name(0, i), DWORD(i)) != ERROR_SUCCESS)
                return 1;
            if (write(reports[1], &i, sizeof i) != sizeof i)
                return 2;
        }
    });
    close(reports[1]);
    int lastReturned = -1;
    while (lastReturned < 150 && read(reports[0], &lastReturned, sizeof lastReturned) > 0) {
    }
    kill(writer, SIGKILL);
    int index = 0;
    while (read(reports[0], &index, sizeof index) == sizeof index)
        lastReturned = index;
    close(reports[0]);
    int status = 0;
    waitpid(writer, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));

    SetRegistryHiveLocations(CurrentRegistryHiveLocations());
    const HKEY key = CreateKey(kLoadKey);
    ASSERT_NE(key, HKEY{});
    for (int i = 0; i <= lastReturned; ++i)
        ASSERT_EQ(ReadNumber(key, Name(0, i)), i) << Name(0, i);
    EXPECT_EQ(WriteNumber(key, "after", 1), ERROR_SUCCESS);
    RegCloseKey(key);
}

// An ordinary user reads the machine hive but cannot change it.
TEST_F(RegistryReliability, MachineHiveRefusesWritesFromOrdinaryUsers) {
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to act as the hive's owner and then as another user";
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Shared", "V", REG_SZ, {'1', 0}), 0);
    std::filesystem::permissions(hives_.Folder(), std::filesystem::perms(0755));
    EXPECT_EQ(RunAsNobody([] {
                  HKEY key{};
                  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_READ, &key) != 0)
                      return 11;
                  if (RegSetValueExA(key, "V", 0, REG_SZ, nullptr, 0) != ERROR_ACCESS_DENIED)
                      return 12;
                  if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_ALL_ACCESS,
                                    &key) != ERROR_ACCESS_DENIED)
                      return 13;
                  if (RegCreateKeyExA(HKEY_CLASSES_ROOT, ".x", 0, nullptr, 0, KEY_ALL_ACCESS,
                                      nullptr, &key, nullptr) != ERROR_ACCESS_DENIED)
                      return 14;
                  return 0;
              }),
              0);
}

TEST_F(RegistryReliability, ABatchTakesEffectWholeOrNotAtAll) {
    {
        RegistryBatch batch(HKEY_CURRENT_USER);
        ASSERT_EQ(batch.Begin(), ERROR_SUCCESS);
        const HKEY key = CreateKey("Software\\Batch");
        ASSERT_EQ(WriteNumber(key, "first", 1), ERROR_SUCCESS);
        RegCloseKey(key);
    } // ends without Commit
    EXPECT_TRUE(RawSubKeys(HKEY_CURRENT_USER, "Software").empty());

    RegistryBatch batch(HKEY_CURRENT_USER);
    ASSERT_EQ(batch.Begin(), ERROR_SUCCESS);
    const HKEY key = CreateKey("Software\\Batch");
    ASSERT_EQ(WriteNumber(key, "second", 2), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "bad\xFF", 0, REG_SZ, nullptr, 0), ERROR_INVALID_PARAMETER);
    ASSERT_EQ(batch.Commit(), ERROR_SUCCESS);
    EXPECT_EQ(ReadNumber(key, "second"), 2);
    RegCloseKey(key);
}

// A hive file replaced while this process has it open (a backup put back) is served
// from then on, not the file that was there before.
TEST_F(RegistryReliability, AHiveFileReplacedUnderAnOpenHiveIsServedFromThen) {
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Restored", "V", REG_SZ, {'1', 0}), 0);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    const std::filesystem::path backup = hives_.Folder() / "backup.hive";
    std::filesystem::rename(hives_.MachineHive(), backup);
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Current", "V", REG_SZ, {'2', 0}), 0);

    std::filesystem::rename(backup, hives_.MachineHive()); // the new file stays open here
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Restored", "V").data,
              (std::vector<BYTE>{'1', 0}));
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Current", "V").result, ERROR_FILE_NOT_FOUND);
}

namespace {

// Ways a hive file can be found damaged; each gets the path of a file holding a good
// hive and spoils it.
struct Damage {
    const char* name;
    std::function<void(const std::filesystem::path&)> spoil;
};

class DamagedHive : public RegistryReliability, public ::testing::WithParamInterface<Damage> {};

void ScribbleOverSecondPage(const std::filesystem::path& path) {
    std::string bytes = ReadFileBytes(path);
    for (std::size_t i = 4096; i < 4096 + 200 && i < bytes.size(); ++i)
        bytes[i] = char(0xA5 ^ i);
    WriteFileBytes(path, bytes);
}

// A hive of this program, but of a layout newer than this program knows.
void MarkWithLaterLayout(const std::filesystem::path& path) {
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA user_version = 2", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

void ReplaceWithForeignDatabase(const std::filesystem::path& path) {
    std::filesystem::remove(path);
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "CREATE TABLE notes(text); INSERT INTO notes VALUES('mine')", nullptr, nullptr,
                 nullptr);
    sqlite3_close(db);
}

} // namespace

TEST_P(DamagedHive, FailsWithRegistryCorruptAndStaysByteForByte) {
    const HKEY filled = CreateKey("Software\\Filled");
    for (int i = 0; i < 200; ++i)
        WriteNumber(filled, Name(0, i), DWORD(i));
    RegCloseKey(filled);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    GetParam().spoil(hives_.UserHive());
    const std::string before = ReadFileBytes(hives_.UserHive());

    HKEY key{};
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Filled", 0, KEY_READ, &key),
              ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\New", 0, nullptr, 0, KEY_ALL_ACCESS,
                              nullptr, &key, nullptr),
              ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, "Software"), ERROR_REGISTRY_CORRUPT);
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(hives_.UserHive().parent_path()),
                            std::filesystem::directory_iterator()),
              1);
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamagedHive,
    ::testing::Values(
        Damage{"Text", [](const auto& path) { WriteFileBytes(path, "not a hive at all\n"); }},
        Damage{"Empty", [](const auto& path) { WriteFileBytes(path, ""); }},
        Damage{"Truncated",
               [](const auto& path) { WriteFileBytes(path, ReadFileBytes(path).substr(0, 100)); }},
        Damage{"ScribbledPage", ScribbleOverSecondPage}, Damage{"LaterLayout", MarkWithLaterLayout},
        Damage{"ForeignDatabase", ReplaceWithForeignDatabase}),
    [](const auto& info) { return std::string(info.param.name); });
