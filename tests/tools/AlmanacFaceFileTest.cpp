// horvane-almanac --face: the picture file is written whole or not at all, under the
// very name it was given.

#include "tests/support/TemporaryHives.h"

#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <gtest/gtest.h>
#include <optional>
#include <string>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace horvane::test_support;

namespace {

class AlmanacFaceFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (std::filesystem::temp_directory_path() / "horvane-face-XXXXXX");
        folder_ = mkdtemp(pattern.data());
        std::filesystem::create_directory(Pictures());
    }
    void TearDown() override { std::filesystem::remove_all(folder_); }

    std::filesystem::path Pictures() const { return folder_ / "pictures"; }
    std::vector<std::string> PictureNames() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(Pictures()))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    // Runs the almanac with the face going to path, given as raw bytes; with a limit,
    // no file may grow past it, as on a nearly full disk. Answers the exit status.
    int RunWithFace(const std::string& path, std::optional<rlim_t> fileSizeLimit = {}) {
        const std::string errors = (folder_ / "errors").string();
        const pid_t child = fork();
        if (child == 0) {
            setenv("XDG_CONFIG_HOME", folder_.c_str(), 1);
            const int output = open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
            dup2(output, STDERR_FILENO);
            dup2(output, STDOUT_FILENO);
            if (fileSizeLimit) {
                signal(SIGXFSZ, SIG_IGN); // a write past the limit then fails instead
                const rlimit limit{*fileSizeLimit, *fileSizeLimit};
                setrlimit(RLIMIT_FSIZE, &limit);
            }
            execl(HORVANE_ALMANAC_PATH, HORVANE_ALMANAC_PATH, "--lat", "43.089N", "--lon",
                  "87.888W", "--at", "2026-12-04 07:30:00", "--face", path.c_str(), nullptr);
            _exit(127);
        }
        int status = 0;
        waitpid(child, &status, 0);
        errors_ = ReadFileBytes(errors);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::filesystem::path folder_;
    std::string errors_; // what the last run printed
};

TEST_F(AlmanacFaceFile, ADiskTooFullForThePictureKeepsTheOneThatWasThere) {
    const std::string path = (Pictures() / "face.png").string();
    ASSERT_EQ(RunWithFace(path), 0) << errors_;
    const std::string picture = ReadFileBytes(path);
    ASSERT_GT(picture.size(), 4096u);

    EXPECT_EQ(RunWithFace(path, 4096), 1);
    EXPECT_NE(errors_.find("cannot write the face picture to " + path + ": "), std::string::npos)
        << errors_;
    EXPECT_TRUE(ReadFileBytes(path) == picture); // (not printed: a whole PNG)
    EXPECT_EQ(PictureNames(), std::vector<std::string>{"face.png"});
}

TEST_F(AlmanacFaceFile, KeepsAFileNameThatIsNotUtf8) {
    const std::string name = "face \xE9\xFF.png";
    ASSERT_EQ(RunWithFace((Pictures() / name).string()), 0) << errors_;
    EXPECT_EQ(PictureNames(), std::vector<std::string>{name});
}

} // namespace
