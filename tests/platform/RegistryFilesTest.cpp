// The hive's files as found on disk and as shared: several processes and users,
// a killed writer, damaged files, leftovers of earlier runs, and places where
// no hive can be made. Failures name the file and the system's cause.

#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryHives.h"
#include "platform/registry/SqliteConnection.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <csignal>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <iostream>
#include <sqlite3.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace horvane;
using namespace horvane::test_support;
namespace fs = std::filesystem;
using ::testing::HasSubstr;

namespace {

constexpr const char* kLoadKey = "Software\\Load";
const std::vector<BYTE> kOne{'1', 0};

std::string Name(int writer, int index) {
    return "w" + std::to_string(writer) + "-" + std::to_string(index);
}

// Writes the numbers 0 to count-1 as writer's values, each reported on the pipe end report
// once it returned. Answers 0, or 1 when a write fails.
int WriteNumbers(int writer, int count, int report = -1) {
    for (int i = 0; i < count; ++i) {
        if (WriteRaw(HKEY_CURRENT_USER, kLoadKey, Name(writer, i), REG_SZ,
                     TextBytes(std::to_string(i))) != ERROR_SUCCESS ||
            (report >= 0 && write(report, &i, sizeof i) != sizeof i))
            return 1;
    }
    return 0;
}

// How many of writer's numbers, counted from 0, a fresh connection finds as written.
int NumbersStored(int writer) {
    SetRegistryHiveLocations(CurrentRegistryHiveLocations());
    int count = 0;
    while (ReadRaw(HKEY_CURRENT_USER, kLoadKey, Name(writer, count)).data ==
           TextBytes(std::to_string(count)))
        ++count;
    return count;
}

void RunSql(const fs::path& file, const char* statements) {
    SqliteConnection(file, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE).Execute(statements);
}

// 0 when the answers are the ones expected; otherwise 1, and the answers go to the error
// output (from a child process no assertion reaches the test).
int Differ(const std::vector<LONG>& answers, const std::vector<LONG>& expected) {
    if (answers == expected)
        return 0;
    for (const LONG answer : answers)
        std::cerr << answer << ' ';
    return 1;
}

// A small file system of its own below folder, for one test; mounted is false
// where this process may not mount.
struct ScratchMount {
    ScratchMount(const fs::path& at, const char* options, unsigned long flags = 0) : folder(at) {
        fs::create_directories(folder);
        mounted = mount("tmpfs", folder.c_str(), "tmpfs", flags, options) == 0;
    }
    ~ScratchMount() { mounted&& umount(folder.c_str()); }
    fs::path folder;
    bool mounted = false;
};

LONG CreateUserKey() {
    return WriteRaw(HKEY_CURRENT_USER, "Software\\Made", "V", REG_SZ, kOne);
}

class RegistryFiles : public ::testing::Test {
protected:
    void UseUserHive(const fs::path& file) {
        SetRegistryHiveLocations({file, hives_.MachineHive()});
    }

    TemporaryHives hives_;
};

} // namespace

// The hive file does not exist yet: both writers race to create it too.
TEST_F(RegistryFiles, TwoProcessesWritingAtOnceLoseNothing) {
    const pid_t first = StartChild([] { return WriteNumbers(0, 1000); });
    const pid_t second = StartChild([] { return WriteNumbers(1, 1000); });
    EXPECT_EQ(std::make_pair(ExitStatus(first), ExitStatus(second)), std::make_pair(0, 0));
    EXPECT_EQ(std::make_pair(NumbersStored(0), NumbersStored(1)), std::make_pair(1000, 1000));
}

TEST_F(RegistryFiles, AKilledWriterLeavesEveryReturnedWrite) {
    int reports[2];
    ASSERT_EQ(pipe(reports), 0);
    const pid_t writer = StartChild([&reports] { return WriteNumbers(0, 1 << 30, reports[1]); });
    close(reports[1]);
    int lastReturned = -1;
    for (int index = 0; read(reports[0], &index, sizeof index) == sizeof index;) {
        if ((lastReturned = index) == 150)
            kill(writer, SIGKILL); // the reports end when the writer is gone
    }
    close(reports[0]);
    ASSERT_EQ(ExitStatus(writer), -1);
    EXPECT_GT(NumbersStored(0), lastReturned);
    EXPECT_EQ(CreateUserKey(), ERROR_SUCCESS);
}

TEST_F(RegistryFiles, ABatchTakesEffectWholeOrNotAtAll) {
    for (const bool commit : {false, true}) {
        RegistryBatch batch(HKEY_CURRENT_USER);
        ASSERT_EQ(batch.Begin(), ERROR_SUCCESS);
        ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, kLoadKey, std::to_string(commit), REG_SZ, kOne), 0);
        EXPECT_EQ(WriteRaw(HKEY_CURRENT_USER, kLoadKey, "bad\xFF", REG_SZ, {}),
                  ERROR_INVALID_PARAMETER);
        EXPECT_EQ(commit ? batch.Commit() : ERROR_SUCCESS, ERROR_SUCCESS);
    } // the first ends without Commit
    EXPECT_EQ(RawSubKeys(HKEY_CURRENT_USER, "Software"), std::vector<std::string>{"Load"});
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kLoadKey, "0").result, ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, kLoadKey, "1").data, kOne);
}

// A hive file replaced while this process has it open (a backup put back) is
// served from then on, not the file that was there before.
TEST_F(RegistryFiles, AHiveFileReplacedUnderAnOpenHiveIsServedFromThen) {
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Restored", "V", REG_SZ, kOne), 0);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    const fs::path backup = hives_.Folder() / "backup.hive";
    fs::rename(hives_.MachineHive(), backup);
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Current", "V", REG_SZ, kOne), 0);
    fs::rename(backup, hives_.MachineHive()); // the new file stays open here
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Restored", "V").data, kOne);
    EXPECT_EQ(ReadRaw(HKEY_LOCAL_MACHINE, "Software\\Current", "V").result, ERROR_FILE_NOT_FOUND);
}

// Damaged, truncated, of a later layout or not a hive at all: each is refused as damaged,
// and neither the file nor its folder changes.
TEST_F(RegistryFiles, ADamagedHiveFailsAsCorruptAndStaysByteForByte) {
    const std::pair<const char*, std::function<void(const fs::path&)>> table[] = {
        {"text", [](const auto& file) { WriteFileBytes(file, "not a hive at all\n"); }},
        {"empty", [](const auto& file) { WriteFileBytes(file, ""); }},
        {"truncated",
         [](const auto& file) { WriteFileBytes(file, ReadFileBytes(file).substr(0, 100)); }},
        {"scribbled",
         [](const auto& file) {
             WriteFileBytes(file, ReadFileBytes(file).replace(4096, 200, 200, '\xA5'));
         }},
        {"later layout", [](const auto& file) { RunSql(file, "PRAGMA user_version = 2"); }},
        {"foreign", [](const auto& file) {
             fs::remove(file);
             RunSql(file, "CREATE TABLE notes(text)");
         }}};
    for (const auto& [name, spoil] : table) {
        const TemporaryHives hives;
        ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
        SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
        spoil(hives.UserHive());
        const std::string before = ReadFileBytes(hives.UserHive());
        HKEY key{};
        EXPECT_EQ(
            std::vector<LONG>({RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key),
                               CreateUserKey(), RegDeleteTreeA(HKEY_CURRENT_USER, "Software")}),
            std::vector<LONG>(3, ERROR_REGISTRY_CORRUPT))
            << name;
        EXPECT_EQ(ReadFileBytes(hives.UserHive()), before) << name;
        EXPECT_EQ(FolderNames(hives.UserHive().parent_path()),
                  std::vector<std::string>{"user.hive"})
            << name;
    }
}

TEST_F(RegistryFiles, FoldersAndFilesGetTheirModesWhateverTheUmask) {
    const mode_t saved = umask(077);
    EXPECT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Shared", "V", REG_SZ, kOne), 0);
    EXPECT_EQ(CreateUserKey(), 0);
    umask(saved);
    std::vector<fs::perms> modes;
    for (const fs::path& file : {hives_.MachineHive(), hives_.UserHive()})
        modes.insert(modes.end(), {fs::status(file.parent_path()).permissions(),
                                   fs::status(file).permissions()});
    EXPECT_EQ(modes, (std::vector<fs::perms>{fs::perms(0755), fs::perms(0644), fs::perms(0700),
                                             fs::perms(0600)}));
}

// A creation killed half-way leaves its temporary file (and side files); the
// next creation removes them, but never one that another process is still
// building.
TEST_F(RegistryFiles, CreationRemovesTheLeftoversOfKilledCreations) {
    const fs::path folder = hives_.UserHive().parent_path();
    for (const char* name : {".user.hive.Ab3dE9", ".user.hive.Ab3dE9-wal", ".user.hive.Zz0000",
                             ".user.hive.Busy01", "notes.txt"})
        WriteFileBytes(folder / name, "left over");
    const int building = open((folder / ".user.hive.Busy01").c_str(), O_RDONLY);
    ASSERT_EQ(flock(building, LOCK_EX), 0);
    ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
    close(building);
    EXPECT_EQ(FolderNames(folder),
              (std::vector<std::string>{".user.hive.Busy01", "notes.txt", "user.hive",
                                        "user.hive-shm", "user.hive-wal"}));
}

// Reading a hive that exists keeps working on a full disk while its side files exist;
// whatever cannot be done says that the disk is full, and the hive is left unchanged.
TEST_F(RegistryFiles, AFullDiskSaysSoAndLeavesTheHiveAsItWas) {
    const ScratchMount scratch(hives_.Folder() / "small", "size=256k");
    const ScratchMount readOnly(hives_.Folder() / "read-only", "size=1m", MS_RDONLY);
    if (!scratch.mounted || !readOnly.mounted)
        GTEST_SKIP() << "cannot mount a scratch file system here";
    UseUserHive(readOnly.folder / "horvane" / "user.hive");
    EXPECT_EQ(CreateUserKey(), ERROR_ACCESS_DENIED);
    EXPECT_THAT(RegistryFailureText(ERROR_ACCESS_DENIED),
                HasSubstr(readOnly.folder.string() + "/horvane: Read-only file system"));

    const fs::path hive = scratch.folder / "horvane" / "user.hive";
    UseUserHive(hive);
    ASSERT_EQ(CreateUserKey(), 0);
    const int filler = open((scratch.folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(512, 'x');
    while (write(filler, block.data(), block.size()) > 0) {
    }
    close(filler);
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "V").data, kOne);
    EXPECT_EQ(WriteRaw(HKEY_CURRENT_USER, "Software\\Made", "Big", REG_SZ,
                       TextBytes(std::string(64 * 1024, 'x'))),
              ERROR_DISK_FULL);
    EXPECT_THAT(RegistryFailureText(ERROR_DISK_FULL), HasSubstr(hive.string() + ": "));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "Big").result, ERROR_FILE_NOT_FOUND);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // opened afresh on a full disk
    const RawValue afresh = ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "V");
    EXPECT_EQ(afresh.data, kOne) << RegistryFailureText(afresh.result);

    UseUserHive(scratch.folder / "other" / "user.hive"); // a hive not made yet
    EXPECT_EQ(CreateUserKey(), ERROR_DISK_FULL);
    EXPECT_THAT(RegistryFailureText(ERROR_DISK_FULL), HasSubstr("other/user.hive: "));
    EXPECT_TRUE(fs::is_empty(scratch.folder / "other"));
}

// Another user reads the machine hive but cannot change it, and a user hive left by a
// run with sudo (it belongs to root) is "access denied", not damaged, and stays as it was.
TEST_F(RegistryFiles, AnotherUserIsDeniedWhatIsNotTheirsAndNothingIsTakenForDamage) {
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to act as the hives' owner and then as another user";
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Shared", "V", REG_SZ, kOne), 0);
    ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations());
    fs::permissions(hives_.Folder(), fs::perms(0755));
    for (const auto& folder : {hives_.Folder() / "config", hives_.UserHive().parent_path()})
        ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
    const std::string before = ReadFileBytes(hives_.UserHive());
    const std::string cause = hives_.UserHive().string() + ": Permission denied";
    EXPECT_EQ(
        RunAsNobody([&cause] {
            HKEY key{};
            return Differ(
                {RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_READ, &key),
                 RegSetValueExA(key, "V", 0, REG_SZ, nullptr, 0),
                 RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS, &key),
                 RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key),
                 LONG(RegistryFailureText(ERROR_ACCESS_DENIED).find(cause) == std::string::npos)},
                {0, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, 0});
        }),
        0);
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), before);
}

// A read while the hive file was read-only leaves a read-only side file behind; once the
// file is writable again, writes must work again.
TEST_F(RegistryFiles, WritesWorkAgainAfterAReadOnlySpell) {
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to act as an ordinary user, whom file modes bind";
    fs::permissions(hives_.Folder(), fs::perms(0777));
    const std::string hive = hives_.UserHive().string();
    EXPECT_EQ(RunAsNobody([&hive] {
                  const LONG made = CreateUserKey();
                  SetRegistryHiveLocations(CurrentRegistryHiveLocations());
                  chmod(hive.c_str(), 0400);
                  const LONG read = ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "V").result;
                  SetRegistryHiveLocations(CurrentRegistryHiveLocations());
                  chmod(hive.c_str(), 0600);
                  return Differ({made, read, CreateUserKey()}, {0, 0, 0});
              }),
              0);
}
