// The hive's files as they are found on disk: modes whatever the umask, side files and
// leftovers of earlier runs, files of other users, and places where no hive can be made.
// Failures name the file and the system's cause.

#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryFailure.h"
#include "platform/registry/RegistryHives.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"

#include <fcntl.h>
#include <gmock/gmock.h>
#include <sys/file.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace horvane;
using namespace horvane::test_support;
using std::filesystem::perms;
using ::testing::AllOf;
using ::testing::HasSubstr;

namespace {

const std::vector<BYTE> kOne{'1', 0};

perms ModeOf(const std::filesystem::path& path) {
    return std::filesystem::status(path).permissions();
}

// A small file system of its own, mounted for one test; Mounted() is false where this
// process may not mount.
class ScratchMount {
public:
    explicit ScratchMount(const std::string& options, unsigned long flags = 0) {
        std::string pattern = std::filesystem::temp_directory_path() / "horvane-mount-XXXXXX";
        folder_ = mkdtemp(pattern.data());
        mounted_ = mount("tmpfs", folder_.c_str(), "tmpfs", flags, options.c_str()) == 0;
    }
    ~ScratchMount() {
        if (mounted_)
            umount(folder_.c_str());
        std::filesystem::remove_all(folder_);
    }
    bool Mounted() const { return mounted_; }
    const std::filesystem::path& Folder() const { return folder_; }

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

// Writes a filler file until the file system has no room left.
void FillUp(const std::filesystem::path& folder) {
    const int descriptor = open((folder / "filler").c_str(), O_WRONLY | O_CREAT, 0600);
    const std::string block(512, 'x');
    while (write(descriptor, block.data(), block.size()) > 0) {
    }
    close(descriptor);
}

LONG CreateUserKey(const char* path = "Software\\Made") {
    HKEY key{};
    const LONG result = RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, 0, KEY_ALL_ACCESS,
                                        nullptr, &key, nullptr);
    if (result == ERROR_SUCCESS)
        RegCloseKey(key);
    return result;
}

class RegistryFiles : public ::testing::Test {
protected:
    void UseUserHive(const std::filesystem::path& file) {
        SetRegistryHiveLocations({file, hives_.MachineHive()});
    }

    TemporaryHives hives_;
};

} // namespace

TEST_F(RegistryFiles, FoldersAndFilesGetTheirModesWhateverTheUmask) {
    const mode_t saved = umask(077);
    EXPECT_EQ(WriteRaw(HKEY_LOCAL_MACHINE, "Software\\Shared", "V", REG_SZ, kOne), 0);
    EXPECT_EQ(WriteRaw(HKEY_CURRENT_USER, "Software\\Own", "V", REG_SZ, kOne), 0);
    umask(saved);
    EXPECT_EQ(ModeOf(hives_.MachineHive().parent_path()), perms(0755));
    EXPECT_EQ(ModeOf(hives_.MachineHive()), perms(0644));
    EXPECT_EQ(ModeOf(hives_.UserHive().parent_path()), perms(0700));
    EXPECT_EQ(ModeOf(hives_.UserHive()), perms(0600));
}

// A creation killed half-way leaves its temporary file (and side files); the next
// creation removes them, but never one that another process is still building.
TEST_F(RegistryFiles, CreationRemovesTheLeftoversOfKilledCreations) {
    const std::filesystem::path folder = hives_.UserHive().parent_path();
    for (const char* name : {".user.hive.Ab3dE9", ".user.hive.Ab3dE9-wal", ".user.hive.Zz0000"})
        WriteFileBytes(folder / name, "left over");
    WriteFileBytes(folder / ".user.hive.Busy01", "being built");
    WriteFileBytes(folder / "notes.txt", "mine");
    const int building = open((folder / ".user.hive.Busy01").c_str(), O_RDONLY);
    ASSERT_EQ(flock(building, LOCK_EX), 0);

    ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
    close(building);
    EXPECT_EQ(FolderNames(folder),
              (std::vector<std::string>{".user.hive.Busy01", "notes.txt", "user.hive",
                                        "user.hive-shm", "user.hive-wal"}));
}

TEST_F(RegistryFiles, AConfigurationPathThroughAFileNamesThePathAndTheCause) {
    WriteFileBytes(hives_.Folder() / "plain", "a file, not a folder");
    UseUserHive(hives_.Folder() / "plain" / "horvane" / "user.hive");
    const LONG result = CreateUserKey();
    EXPECT_EQ(result, ERROR_REGISTRY_IO_FAILED);
    EXPECT_THAT(
        RegistryFailureText(result),
        AllOf(HasSubstr("I/O operation"), HasSubstr("plain/horvane/user.hive: Not a directory")));
}

TEST_F(RegistryFiles, AReadOnlyFileSystemIsAccessDeniedNamingThePath) {
    ScratchMount scratch("size=1m", MS_RDONLY);
    if (!scratch.Mounted())
        GTEST_SKIP() << "cannot mount a scratch file system here";
    UseUserHive(scratch.Folder() / "horvane" / "user.hive");
    const LONG result = CreateUserKey();
    EXPECT_EQ(result, ERROR_ACCESS_DENIED);
    EXPECT_THAT(RegistryFailureText(result),
                HasSubstr(scratch.Folder().string() + "/horvane: Read-only file system"));
}

// Reading a hive that exists keeps working on a full disk while its side files exist;
// whatever cannot be done says that the disk is full, and the hive is left unchanged.
TEST_F(RegistryFiles, AFullDiskSaysSoAndLeavesTheHiveAsItWas) {
    ScratchMount scratch("size=256k");
    if (!scratch.Mounted())
        GTEST_SKIP() << "cannot mount a scratch file system here";
    const std::filesystem::path hive = scratch.Folder() / "horvane" / "user.hive";
    UseUserHive(hive);
    ASSERT_EQ(WriteRaw(HKEY_CURRENT_USER, "Software\\Kept", "V", REG_SZ, kOne), 0);
    FillUp(scratch.Folder());

    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Kept", "V").data, kOne);
    const std::string big(64 * 1024, 'x');
    const LONG result =
        WriteRaw(HKEY_CURRENT_USER, "Software\\Kept", "Big", REG_SZ, TextBytes(big));
    EXPECT_EQ(result, ERROR_DISK_FULL);
    EXPECT_THAT(RegistryFailureText(result), HasSubstr(hive.string() + ": "));
    EXPECT_EQ(ReadRaw(HKEY_CURRENT_USER, "Software\\Kept", "Big").result, ERROR_FILE_NOT_FOUND);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations()); // opened afresh on a full disk
    const RawValue afresh = ReadRaw(HKEY_CURRENT_USER, "Software\\Kept", "V");
    EXPECT_EQ(afresh.data, kOne) << RegistryFailureText(afresh.result);

    // A hive that does not exist yet cannot be made on a full disk.
    UseUserHive(scratch.Folder() / "other" / "user.hive");
    const LONG creating = CreateUserKey();
    EXPECT_EQ(creating, ERROR_DISK_FULL);
    EXPECT_THAT(RegistryFailureText(creating), HasSubstr("other/user.hive: "));
    EXPECT_TRUE(std::filesystem::is_empty(scratch.Folder() / "other"));
}

// The hive of a user who ran the program once with sudo: it exists but belongs to root.
TEST_F(RegistryFiles, AHiveTheUserMayNotOpenIsAccessDeniedNotCorrupt) {
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to give the hive to another user";
    ASSERT_EQ(CreateUserKey(), ERROR_SUCCESS);
    SetRegistryHiveLocations(CurrentRegistryHiveLocations());
    std::filesystem::permissions(hives_.Folder(), perms(0755));
    for (const auto& folder : {hives_.Folder() / "config", hives_.UserHive().parent_path()})
        ASSERT_EQ(chown(folder.c_str(), kNobody, kNobody), 0);
    const std::string before = ReadFileBytes(hives_.UserHive());

    const std::string hive = hives_.UserHive().string();
    EXPECT_EQ(RunAsNobody([&hive] {
                  HKEY key{};
                  const LONG result =
                      RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Made", 0, KEY_READ, &key);
                  if (result != ERROR_ACCESS_DENIED)
                      return 10;
                  const std::string text = RegistryFailureText(result);
                  return text.find(hive + ": Permission denied") == std::string::npos ? 11 : 0;
              }),
              0);
    EXPECT_EQ(ReadFileBytes(hives_.UserHive()), before);
}

// A read while the hive file was read-only leaves a read-only side file behind; once the
// file is writable again, writes must work again.
TEST_F(RegistryFiles, WritesWorkAgainAfterAReadOnlySpell) {
    if (getuid() != 0)
        GTEST_SKIP() << "needs root to act as an ordinary user, whom file modes bind";
    std::filesystem::permissions(hives_.Folder(), perms(0777));
    const std::string hive = hives_.UserHive().string();
    EXPECT_EQ(RunAsNobody([&hive] {
                  if (WriteRaw(HKEY_CURRENT_USER, "Software\\Spell", "V", REG_SZ, kOne) != 0)
                      return 10;
                  SetRegistryHiveLocations(CurrentRegistryHiveLocations());
                  chmod(hive.c_str(), 0400);
                  if (ReadRaw(HKEY_CURRENT_USER, "Software\\Spell", "V").data != kOne)
                      return 11;
                  SetRegistryHiveLocations(CurrentRegistryHiveLocations());
                  chmod(hive.c_str(), 0600);
                  if (WriteRaw(HKEY_CURRENT_USER, "Software\\Spell", "V", REG_SZ, {'2', 0}) != 0)
                      return 12;
                  return 0;
              }),
              0);
}
