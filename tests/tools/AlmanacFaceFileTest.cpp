// horvane-almanac --face: the picture file is written whole or not at all, under the
// very name it was given.

#include "tests/support/TemporaryHives.h"

#include <QImage>
#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/wait.h>

using namespace horvane::test_support;
using Names = std::vector<std::string>;

namespace {

class AlmanacFaceFile : public ::testing::Test {
protected:
    // Runs the almanac with the face going to path, given as raw bytes; no file may grow past
    // the limit (in blocks of 512 bytes), as on a nearly full disk. Answers the exit status.
    int RunWithFace(const std::string& path, const std::string& limitBlocks = "unlimited") {
        const std::string folder = hives_.Folder().string();
        // An ignored SIGXFSZ stays ignored in the almanac: a write past the limit then fails.
        const std::string command =
            "trap \"\" XFSZ; ulimit -f " + limitBlocks + "; XDG_CONFIG_HOME=" + folder + " " +
            HORVANE_ALMANAC_PATH +
            " --lat 43.089N --lon 87.888W --at \"2026-12-04 07:30:00\" --utc-offset -360" +
            " --face \"" + path + "\" >" + folder + "/output 2>&1";
        const int status = std::system(("sh -c '" + command + "'").c_str());
        output_ = ReadFileBytes(folder + "/output");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    TemporaryHives hives_;
    std::string output_; // what the last run printed
};

TEST_F(AlmanacFaceFile, WritesThePictureUnderItsNameOrKeepsTheOneThatWasThere) {
    const std::filesystem::path pictures = hives_.Folder() / "pictures";
    std::filesystem::create_directory(pictures);
    const std::string path = (pictures / "face \xE9\xFF.png").string(); // not UTF-8
    ASSERT_EQ(RunWithFace(path), 0) << output_;
    EXPECT_TRUE(output_.starts_with("43.089N 87.888W\n")) << output_; // the board as well
    const std::string picture = ReadFileBytes(path);
    const QImage face = QImage::fromData(QByteArray::fromStdString(picture));
    EXPECT_EQ(face.size(), QSize(227, 227));
    EXPECT_EQ(face.pixel(0, 0), qRgb(240, 240, 250)); // the daytime sky outside the dial

    EXPECT_EQ(RunWithFace(path, "8"), 1);
    EXPECT_TRUE(output_.starts_with("horvane-almanac: cannot write the face picture to " + path))
        << output_;
    EXPECT_TRUE(ReadFileBytes(path) == picture); // (not printed: a whole PNG)
    EXPECT_EQ(FolderNames(pictures), Names{"face \xE9\xFF.png"});
}

} // namespace
