// The hive's files as found on disk and as shared: several processes and users,
// a killed writer, damaged files, leftovers of earlier runs, and places where
// no hive can be made. Failures name the file and the system's cause.

#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryHives.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <csignal>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <map>
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
    HKEY key{};
    RegCreateKeyExA(HKEY_CURRENT_USER, kLoadKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                    nullptr);
    for (int i = 0; i < count; ++i) {
        const std::vector<BYTE> number = TextBytes(std::to_string(i));
        if (RegSetValueExA(key, Name(writer, i).c_str(), 0, REG_SZ, number.data(),
                           DWORD(number.size())) != ERROR_SUCCESS ||
            (report >= 0 && write(report, &i, sizeof i) != sizeof i))
            return 1;
    }
    return RegCloseKey(key);
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
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, statements, nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

// Runs checks as the user nobody: answers the number of the first that fails, 0
// when none does (90: could not change user).
int FirstFailureAsNobody(const std::vector<std::function<bool()>>& checks) {
    return RunAsNobody([&checks] {
        for (std::size_t i = 0; i < checks.size(); ++i) {
            if (!checks[i]())
                return int(i + 1);
        }
        return 0;
    });
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
    bool RunningAsRoot() const { return getuid() == 0; }

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
    int index = -1, lastReturned = -1;
    while (lastReturned < 150 && read(reports[0], &lastReturned, sizeof lastReturned) > 0) {
    }
    kill(writer, SIGKILL);
    while (read(reports[0], &index, sizeof index) == sizeof index)
        lastReturned = index;
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

// Ways a hive file can be found damaged; each spoils a file holding a good
// hive.
struct Damage {
    const char* name;
    std::function<void(const fs::path&)> spoil;
};

class DamagedHive : public RegistryFiles, public ::testing::WithParamInterface<Damage> {};

TEST_P(DamagedHive, FailsWithRegistryCorruptAndStaysByteForByte) {
    ASSERT_EQ(WriteNumbers(0, 200), 0);                       // a hive of several pages
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
    GetParam().spoil(hives_.UserHive());
    const std::string before = ReadFileBytes(hives_.UserHive());
    HKEY key{};
    EXPECT_EQ(std::vector<LONG>({RegOpenKeyExA(HKEY_CURRENT_USER, kLoadKey, 0, KEY_READ, &key),
                                 CreateUserKey(), RegDeleteTreeA(HKEY_CURRENT_USER, "Software")}),
              std::vector<LONG>(3, ERROR_REGISTRY_CORRUPT));
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), before);
    EXPECT_EQ(FolderNames(hives_.UserHive().parent_path()), std::vector<std::string>{"user.hive"});
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, DamagedHive,
    ::testing::Values(
        Damage{"Text", [](const auto& file) { WriteFileBytes(file, "not a hive at all\n"); }},
        Damage{"Empty", [](const auto& file) { WriteFileBytes(file, ""); }},
        Damage{"Truncated",
               [](const auto& file) { WriteFileBytes(file, ReadFileBytes(file).substr(0, 100)); }},
        Damage{"ScribbledPage",
               [](const auto& file) {
                   WriteFileBytes(file, ReadFileBytes(file).replace(4096, 200, 200, '\xA5'));
               }},
        Damage{"LaterLayout", [](const auto& file) { RunSql(file, "PRAGMA user_version = 2"); }},
        Damage{"ForeignDatabase",
               [](const auto& file) {
                   fs::remove(file);
                   RunSql(file, "CREATE TABLE notes(text); INSERT INTO notes VALUES('mine')");
               }}),
    [](const auto& info) { return std::string(info.param.name); });

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

// Another user reads the machine hive but cannot change it, and a user hive
// left by a run with sudo (it belongs to root) is "access denied", not damaged,
// and stays as it was.
TEST_F(RegistryFiles, AnotherUserIsDeniedWhatIsNotTheirsAndNothingIsTakenForDamage) {
    if (!RunningAsRoot())
        GTEST_SKIP() << "needs root to act as the hives' owner and then as another user";
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Shared", "V", REG_SZ, kOne), 0);
    ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations());
    fs::permissions(hives_.Folder(), fs::perms(0755));
    for (const auto& folder : {hives_.Folder() / "config", hives_.UserHive().parent_path()})
        ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
    const std::string before = ReadFileBytes(hives_.UserHive());
    const std::string hive = hives_.UserHive().string();
    HKEY key{};
    const auto open = [&key](HKEY root, const char* path, REGSAM access) {
        return RegOpenKeyExA(root, path, 0, access, &key);
    };
    EXPECT_EQ(
        FirstFailureAsNobody({
            [&] { return open(HKEY_LOCAL_MACHINE, "Software\\Shared", KEY_READ) == 0; },
            [&] { return RegSetValueExA(key, "V", 0, REG_SZ, nullptr, 0) == ERROR_ACCESS_DENIED; },
            [&] {
                return open(HKEY_LOCAL_MACHINE, "Software", KEY_ALL_ACCESS) == ERROR_ACCESS_DENIED;
            },
            [&] { return open(HKEY_CLASSES_ROOT, "", KEY_ALL_ACCESS) == ERROR_ACCESS_DENIED; },
            [&] { return open(HKEY_CURRENT_USER, "Software", KEY_READ) == ERROR_ACCESS_DENIED; },
            [&] {
                return RegistryFailureText(ERROR_ACCESS_DENIED)
                           .find(hive + ": Permission denied") != std::string::npos;
            },
        }),
        0);
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), before);
}

// A read while the hive file was read-only leaves a read-only side file behind;
// once the file is writable again, writes must work again.
TEST_F(RegistryFiles, WritesWorkAgainAfterAReadOnlySpell) {
    if (!RunningAsRoot())
        GTEST_SKIP() << "needs root to act as an ordinary user, whom file modes bind";
    fs::permissions(hives_.Folder(), fs::perms(0777));
    const std::string hive = hives_.UserHive().string();
    const auto reopenWithMode = [&hive](mode_t mode) {
        SetRegistryHiveLocations(CurrentRegistryHiveLocations());
        return chmod(hive.c_str(), mode) == 0;
    };
    EXPECT_EQ(FirstFailureAsNobody({
                  [] { return CreateUserKey() == 0; },
                  [&] { return reopenWithMode(0400); },
                  [] { return ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "V").data == kOne; },
                  [&] { return reopenWithMode(0600); },
                  [] { return CreateUserKey() == 0; },
              }),
              0);
}
