// horvane-almanac --face: the picture file is written whole or not at all, under the
// very name it was given.

#include "tests/support/TemporaryHives.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace horvane::test_support;
using Names = std::vector<std::string>;

namespace {

class AlmanacFaceFile : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directory(Pictures()); }

    std::filesystem::path Pictures() const { return hives_.Folder() / "pictures"; }

    // Runs the almanac with the face going to path, given as raw bytes; no file may grow past
    // the limit (in blocks of 512 bytes), as on a nearly full disk. Answers the exit status.
    int RunWithFace(const std::string& path, const std::string& limitBlocks = "unlimited") {
        const std::string folder = hives_.Folder().string();
        // An ignored SIGXFSZ stays ignored in the almanac: a write past the limit then fails.
        const std::string command = "trap \"\" XFSZ; ulimit -f " + limitBlocks +
                                    "; XDG_CONFIG_HOME=" + folder + " " + HORVANE_ALMANAC_PATH +
                                    " --lat 43.089N --lon 87.888W --at \"2026-12-04 07:30:00\"" +
                                    " --face \"" + path + "\" >" + folder + "/errors 2>&1";
        const int status = std::system(("sh -c '" + command + "'").c_str());
        errors_ = ReadFileBytes(folder + "/errors");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TemporaryHives hives_;
    std::string errors_; // what the last run printed
};

TEST_F(AlmanacFaceFile, ADiskTooFullForThePictureKeepsTheOneThatWasThere) {
    const std::string path = (Pictures() / "face.png").string();
    ASSERT_EQ(RunWithFace(path), 0) << errors_;
    const std::string picture = ReadFileBytes(path);
    ASSERT_GT(picture.size(), 4096u);

    EXPECT_EQ(RunWithFace(path, "8"), 1);
    EXPECT_NE(errors_.find("cannot write the face picture to " + path + ": "), std::string::npos)
        << errors_;
    EXPECT_TRUE(ReadFileBytes(path) == picture); // (not printed: a whole PNG)
    EXPECT_EQ(FolderNames(Pictures()), Names{"face.png"});
}

TEST_F(AlmanacFaceFile, KeepsAFileNameThatIsNotUtf8) {
    const std::string name = "face \xE9\xFF.png";
    ASSERT_EQ(RunWithFace((Pictures() / name).string()), 0) << errors_;
    EXPECT_EQ(FolderNames(Pictures()), Names{name});
}

} // namespace
