// The hive's files as found on disk and as shared: several processes and users, a killed
// writer, damaged files, leftovers of earlier runs, and places where no hive can be made.
// Failures name the file and the system's cause.

#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryHiveFile.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <csignal>
#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>

using namespace horvane;
using namespace horvane::test_support;
using ::testing::StartsWith;
namespace fs = std::filesystem;
using Names = std::vector<std::string>;
using Answers = std::vector<LONG>;

namespace {

const std::vector<BYTE> kOne{'1', 0};

// Writes the numbers 0 to count-1 as writer's values, each reported on the pipe end report
// once it returned. Answers 0, or 1 when a write fails.
int WriteNumbers(int writer, int count, int report = -1) {
    for (int i = 0; i < count; ++i) {
        const std::string number = std::to_string(i),
                          key = "Software\\Load\\" + std::to_string(writer);
        if (WriteRaw(HKEY_CURRENT_USER, key, number, REG_SZ, TextBytes(number)) != 0 ||
            (report >= 0 && write(report, &i, sizeof i) != sizeof i))
            return 1;
    }
    return 0;
}

// How many of writer's numbers, counted from 0, a fresh connection finds as written.
int NumbersStored(int writer) {
    SetRegistryHiveLocations(CurrentRegistryHiveLocations());
    const std::string key = "Software\\Load\\" + std::to_string(writer);
    int count = 0;
    while (ReadRaw(HKEY_CURRENT_USER, key, std::to_string(count)).data ==
           TextBytes(std::to_string(count)))
        ++count;
    return count;
}

LONG CreateUserKey() {
    return WriteRaw(HKEY_CURRENT_USER, "Software\\Made", "V", REG_SZ, kOne);
}

class RegistryFiles : public ::testing::Test {
protected:
    void UseUserHive(const fs::path& file) {
        SetRegistryHiveLocations({file, hives_.MachineHive()});
    }

    // Runs work in a child process; as nobody, given the user's folders, when the tests run as
    // root, for whom a file's mode counts. Answers 0 when work's answers are the ones expected.
    int RunAsUser(const std::function<Answers()>& work, const Answers& expected) {
        const auto check = [&] { return work() == expected ? 0 : 1; };
        if (geteuid() != 0)
            return ExitStatus(StartChild(check));
        fs::permissions(hives_.Folder(), fs::perms(0755));
        for (const auto& folder : {hives_.Folder() / "config", hives_.UserHive().parent_path()})
            EXPECT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
        return RunAsNobody(check);
    }

    // Whether a call's failure is the one for being denied the user's hive file.
    bool Denied(LONG result) const {
        return RegistryFailureText(result) ==
               "Access is denied. (" + hives_.UserHive().string() + ": Permission denied)";
    }

    TemporaryHives hives_;
};

} // namespace

TEST_F(RegistryFiles, TwoProcessesWritingAtOnceLoseNothing) {
    const pid_t first = StartChild([] { return WriteNumbers(0, 1000); });
    const pid_t second = StartChild([] { return WriteNumbers(1, 1000); });
    EXPECT_EQ(std::pair(ExitStatus(first), ExitStatus(second)), std::pair(0, 0));
    EXPECT_EQ(std::pair(NumbersStored(0), NumbersStored(1)), std::pair(1000, 1000));
}

TEST_F(RegistryFiles, AKilledWriterLeavesEveryReturnedWrite) {
    int reports[2];
    ASSERT_EQ(pipe(reports), 0);
    const pid_t writer = StartChild([&reports] { return WriteNumbers(0, 1 << 30, reports[1]); });
    close(reports[1]);
    int lastReturned = -1;
    for (int index = 0; read(reports[0], &index, sizeof index) == sizeof index;)
        if ((lastReturned = index) == 150)
            kill(writer, SIGKILL); // the reports end when the writer is gone
    close(reports[0]);
    ASSERT_EQ(ExitStatus(writer), -1);
    EXPECT_GT(NumbersStored(0), lastReturned);
    EXPECT_EQ(CreateUserKey(), ERROR_SUCCESS);
}

// A batch says that it is open to the changes that would join it: on its own hive only.
TEST_F(RegistryFiles, ABatchTakesEffectWholeOrNotAtAll) {
    for (const char* name : {"0", "1"}) { // the first ends without Commit
        RegistryBatch batch(HKEY_CURRENT_USER);
        EXPECT_EQ(Answers({batch.Begin(), RegistryBatch::IsOpen(HKEY_CURRENT_USER),
                           WriteRaw(HKEY_CURRENT_USER, "Software\\Batch", name, REG_SZ, kOne),
                           WriteRaw(HKEY_CURRENT_USER, "Software\\Batch", "bad\xFF", REG_SZ, {}),
                           RegistryBatch::IsOpen(HKEY_CLASSES_ROOT),
                           *name == '1' ? batch.Commit() : ERROR_SUCCESS}),
                  Answers({0, true, 0, ERROR_INVALID_PARAMETER, false, 0}));
    }
    EXPECT_EQ(std::tuple(RegistryBatch::IsOpen(HKEY_CURRENT_USER),
                         ReadRaw(HKEY_CURRENT_USER, "Software\\Batch", "0").result,
                         ReadRaw(HKEY_CURRENT_USER, "Software\\Batch", "1").result),
              std::tuple(false, ERROR_FILE_NOT_FOUND, ERROR_SUCCESS));
}

// Damaged, truncated, of a later layout (its version at byte 60 of the file, big-endian) or
// not a hive at all (an empty file is a database of no layout): each is refused as damaged,
// and neither the file nor its folder changes.
TEST_F(RegistryFiles, ADamagedHiveFailsAsCorruptAndStaysByteForByte) {
    // Rows: the name, then what replaces the bytes from the offset, as many as the count.
    const std::tuple<const char*, std::size_t, std::size_t, std::string> table[] = {
        {"text", 0, -1, "not a hive at all\n"},
        {"empty", 0, -1, ""},
        {"truncated", 100, -1, ""},
        {"scribbled", 4096, 200, std::string(200, '\xA5')},
        {"later layout", 63, 1, "\x02"}};
    for (const auto& [name, offset, count, text] : table) {
        const TemporaryHives hives;
        ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
        SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // let go of the file
        WriteFileBytes(hives.UserHive(),
                       ReadFileBytes(hives.UserHive()).replace(offset, count, text));
        const std::string before = ReadFileBytes(hives.UserHive());
        EXPECT_EQ(std::tuple(
                      Answers({ReadRaw(HKEY_CURRENT_USER, "Software", "").result, CreateUserKey(),
                               RegDeleteTreeA(HKEY_CURRENT_USER, "Software")}),
                      ReadFileBytes(hives.UserHive()), FolderNames(hives.UserHive().parent_path())),
                  std::tuple(Answers(3, ERROR_REGISTRY_CORRUPT), before, Names{"user.hive"}))
            << name;
    }
}

TEST_F(RegistryFiles, FoldersAndFilesGetTheirModesWhateverTheUmask) {
    const mode_t saved = umask(077);
    EXPECT_EQ(Answers({WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Shared", "V", REG_SZ, kOne),
                       CreateUserKey()}),
              Answers({0, 0}));
    umask(saved);
    std::vector<fs::perms> modes;
    for (const fs::path& file : {hives_.MachineHive(), hives_.UserHive()})
        modes.insert(modes.end(), {fs::status(file.parent_path()).permissions(),
                                   fs::status(file).permissions()});
    EXPECT_EQ(modes, (std::vector<fs::perms>{fs::perms(0755), fs::perms(0644), fs::perms(0700),
                                             fs::perms(0600)}));
}

// A creation killed half-way leaves its temporary file (and side files); the next creation
// removes them, but never one that another process is still building.
TEST_F(RegistryFiles, CreationRemovesTheLeftoversOfKilledCreations) {
    const fs::path folder = hives_.UserHive().parent_path();
    for (const char* name : {".user.hive.Ab3dE9", ".user.hive.Ab3dE9-wal", ".user.hive.Zz0000",
                             ".user.hive.Busy01", "notes.txt", ".user.hive.Fifo01-wal"})
        WriteFileBytes(folder / name, "left over");
    ASSERT_EQ(mkfifo((folder / ".user.hive.Fifo01").c_str(), 0600), 0); // opening must not block
    const int building = open((folder / ".user.hive.Busy01").c_str(), O_RDONLY);
    ASSERT_EQ(flock(building, LOCK_EX), 0);
    alarm(10); // a creation held up by the FIFO ends the test program instead of hanging it
    ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
    alarm(0);
    close(building);
    EXPECT_EQ(FolderNames(folder),
              (Names{".user.hive.Busy01", ".user.hive.Fifo01", ".user.hive.Fifo01-wal", "notes.txt",
                     "user.hive", "user.hive-shm", "user.hive-wal"}));
}

// Each creation sweeps away the temporary files of killed creations; one that another
// process has only just made, and not yet locked, must not be taken for such a leftover.
TEST_F(RegistryFiles, CreationsOfOneHiveAtOnceAllSucceed) {
    std::vector<pid_t> creators;
    for (int creator = 0; creator < 4; ++creator)
        creators.push_back(StartChild([this] {
            for (int round = 0; round < 60; ++round)
                if (CreateHiveFile(hives_.UserHive(), {0700, 0600, true}) != ERROR_SUCCESS)
                    return 1;
            return 0;
        }));
    for (const pid_t creator : creators)
        EXPECT_EQ(ExitStatus(creator), 0);
}

// On a full disk, reading a hive that exists keeps working; a write, or a hive not made yet,
// says that the disk is full and leaves nothing behind. A read-only file system is "access
// denied".
TEST_F(RegistryFiles, AFullOrReadOnlyDiskSaysSoAndLeavesTheHiveAsItWas) {
    const fs::path small = hives_.Folder() / "small"; // unmounted at the end
    fs::create_directories(small);
    if (mount("tmpfs", small.c_str(), "tmpfs", 0, "size=256k") != 0)
        GTEST_SKIP() << "cannot mount a scratch file system here";
    const std::string full = "There is not enough space on the disk. (" + small.string();
    UseUserHive(small / "horvane" / "user.hive");
    EXPECT_EQ(CreateUserKey(), 0);
    WriteFileBytes(small / "filler", std::string(256 * 1024, 'x')); // as much as fits
    const std::string big =
        RegistryFailureText(WriteRaw(HKEY_CURRENT_USER, "Software\\Made", "Big", REG_SZ,
                                     TextBytes(std::string(64 * 1024, 'x'))));
    EXPECT_EQ(std::pair(ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "V").data,
                        ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "Big").result),
              std::pair(kOne, ERROR_FILE_NOT_FOUND));
    UseUserHive(small / "other" / "user.hive");
    EXPECT_THAT((Names{big, RegistryFailureText(CreateUserKey())}),
                ::testing::ElementsAre(StartsWith(full + "/horvane/user.hive: "),
                                       StartsWith(full + "/other/user.hive: ")));
    EXPECT_TRUE(fs::is_empty(small / "other"));

    EXPECT_EQ(mount(nullptr, small.c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    UseUserHive(small / "read-only" / "user.hive");
    EXPECT_EQ(RegistryFailureText(CreateUserKey()),
              "Access is denied. (" + small.string() + "/read-only: Read-only file system)");
    umount(small.c_str());
}

// The user makes the open hive's file read-only (SQLite would go on writing through the
// descriptor it opened with): each write, alone or as a batch, is denied at once naming the
// file, and closing writes nothing into it. A hive in memory has no file: the read-only file
// of its name refuses none of its writes. Writable again, writes go on and keep what was
// written before.
TEST_F(RegistryFiles, AFileMadeReadOnlyWhileOpenIsDeniedEveryWriteAndLeftAsItIs) {
    const fs::path hive = hives_.UserHive();
    fs::create_directories(hive.parent_path());
    const auto work = [&] {
        Answers answers{CreateUserKey()};
        chmod(hive.c_str(), 0444);
        const std::string before = ReadFileBytes(hive);
        answers.push_back(Denied(WriteRaw(HKEY_CURRENT_USER, "Software\\Made", "W", REG_SZ, kOne)));
        answers.push_back(Denied(RegistryBatch(HKEY_CURRENT_USER).Begin()));
        SetRegistryHivesInMemory({hive, hives_.MachineHive()}); // closes the hive
        answers.push_back(CreateUserKey());
        SetRegistryHiveLocations(CurrentRegistryHiveLocations());
        chmod(hive.c_str(), 0600);
        answers.insert(answers.end(),
                       {ReadFileBytes(hive) == before,
                        WriteRaw(HKEY_CURRENT_USER, "Software\\Made", "W", REG_SZ, kOne),
                        ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "V").data == kOne});
        return answers;
    };
    EXPECT_EQ(RunAsUser(work, {0, true, true, 0, true, 0, true}), 0);
}

// Another user reads the machine hive but cannot change it, and a user hive left by a run
// with sudo (it belongs to root) is "access denied", not damaged, and stays as it was. A read
// while a hive file was read-only leaves a read-only side file behind; once the file is
// writable again, writes must work again.
TEST_F(RegistryFiles, AnotherUserIsDeniedWhatIsNotTheirsAndWritesAgainAfterAReadOnlySpell) {
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to act as the hives' owner and then as another user";
    ASSERT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Shared", "V", REG_SZ, kOne), 0);
    ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations());
    const std::string before = ReadFileBytes(hives_.UserHive());
    const fs::path own = hives_.UserHive().parent_path() / "own.hive";
    const auto work = [&] {
        HKEY key{};
        Answers answers{RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software\\Shared", 0, KEY_READ, &key),
                        RegSetValueExA(key, "V", 0, REG_SZ, nullptr, 0),
                        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "Software", 0, KEY_ALL_ACCESS, &key),
                        Denied(ReadRaw(HKEY_CURRENT_USER, "Software", "").result)};
        for (const mode_t mode : {0600, 0400, 0600}) { // write, read, write again
            chmod(own.c_str(), mode);
            UseUserHive(own);
            answers.push_back(mode == 0400
                                  ? ReadRaw(HKEY_CURRENT_USER, "Software\\Made", "V").result
                                  : CreateUserKey());
        }
        return answers;
    };
    EXPECT_EQ(RunAsUser(work, {0, ERROR_ACCESS_DENIED, ERROR_ACCESS_DENIED, true, 0, 0, 0}), 0);
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), before);
}
