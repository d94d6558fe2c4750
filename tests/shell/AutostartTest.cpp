#include "shell/Autostart.h"

#include "platform/ExecutableName.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TemporaryHives.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>
#include <vector>

using namespace horvane;
using namespace horvane::test_support;

namespace {

namespace fs = std::filesystem;

// The standard output and exit status of a command run by the shell.
std::pair<std::string, int> RunCommand(const std::string& command) {
    std::string output;
    FILE* pipe = popen((command + " 2>&1").c_str(), "r");
    char buffer[256];
    while (pipe && std::fgets(buffer, sizeof buffer, pipe))
        output += buffer;
    const int status = pipe ? pclose(pipe) : -1;
    return {output, WIFEXITED(status) ? WEXITSTATUS(status) : -1};
}

// desktop-file-validate's complaints, then the program the entry starts and its arguments,
// joined by "|", as GLib's key file reader and its shell-like parser take them from the Exec
// key (with "%%" for "%").
std::pair<std::string, int> ValidatedExec(const fs::path& entry) {
    const std::string quoted = " '" + entry.string() + "'";
    return RunCommand("desktop-file-validate" + quoted + " && " + HORVANE_DEBIAN_PYTHON +
                      " -c \"import sys; from gi.repository import GLib; keys = GLib.KeyFile(); "
                      "keys.load_from_file(sys.argv[1], GLib.KeyFileFlags.NONE); "
                      "line = keys.get_string('Desktop Entry', 'Exec'); "
                      "print('|'.join(GLib.shell_parse_argv(line)[1]).replace('%%', '%'))\"" +
                      quoted);
}

// The user's configuration in a temporary folder for one test.
class AutostartFolder : public TemporaryHives {
public:
    AutostartFolder() { setenv("XDG_CONFIG_HOME", Config().c_str(), 1); }
    ~AutostartFolder() { unsetenv("XDG_CONFIG_HOME"); }

    fs::path Config() const { return Folder() / "config"; }
    fs::path Entry() const { return Config() / "autostart" / "horvane.desktop"; }
};

} // namespace

// Whatever the program's path holds, the entry passes desktop-file-validate and GLib's reader
// gives back that path and --tray; paths no entry can carry are refused with nothing written.
// After a package upgrade the running program's link says "(deleted)".
TEST(Autostart, EntryStartsTheProgramInTheTrayWhateverItsPathHolds) {
    AutostartFolder folder;
    for (const std::string program :
         {"/opt/My Clock/horvane", "/opt/100%/horvane", "/opt/it's \"quoted\"/horvane",
          "/opt/a$b`c\\d#(e)/horvane", "/opt/Uhr\u00e4/horvane"}) {
        ASSERT_EQ(EnableAutostart(program), "") << program;
        EXPECT_EQ(ValidatedExec(folder.Entry()), std::pair(program + "|--tray\n", 0));
    }
    for (const char* program : {"/opt/new\nline/horvane", "/opt/bad\xff/horvane"})
        EXPECT_TRUE(EnableAutostart(program) != "" &&
                    ReadFileBytes(folder.Entry()).find("Uhr") != std::string::npos);
    EXPECT_EQ(ExecutableFromLink("/usr/bin/horvane (deleted)"), "/usr/bin/horvane");
}

// Enabling creates the folder and the entry, again and again; disabling removes it, and
// finding none is no failure. A link at the entry's path is replaced, never followed; a folder
// there is left alone and reported; no temporary file stays behind.
TEST(Autostart, TurnsOnAndOffAndLeavesWhatIsNotItsOwnAlone) {
    AutostartFolder folder;
    std::string said;
    std::vector<bool> on{IsAutostartEnabled()};
    for (const bool enable : {true, true, false, false}) {
        said += enable ? EnableAutostart("/usr/bin/horvane") : DisableAutostart();
        on.push_back(IsAutostartEnabled());
    }
    EXPECT_EQ(std::pair(said, on),
              std::pair(std::string(), std::vector{false, true, true, false, false}));

    const fs::path elsewhere = folder.Folder() / "dotfiles.desktop";
    WriteFileBytes(elsewhere, "kept");
    fs::create_symlink(elsewhere, folder.Entry());
    EXPECT_EQ(EnableAutostart("/usr/bin/horvane"), "");
    EXPECT_TRUE(fs::is_regular_file(fs::symlink_status(folder.Entry())));
    EXPECT_EQ(ReadFileBytes(elsewhere), "kept");

    fs::remove(folder.Entry());
    fs::create_directories(folder.Entry() / "inside");
    EXPECT_FALSE(IsAutostartEnabled());
    EXPECT_NE(EnableAutostart("/usr/bin/horvane").find(folder.Entry().string()), std::string::npos);
    EXPECT_NE(DisableAutostart().find("left as it is"), std::string::npos);
    EXPECT_EQ(FolderNames(folder.Entry()), std::vector<std::string>{"inside"});
    EXPECT_EQ(FolderNames(folder.Entry().parent_path()),
              std::vector<std::string>{"horvane.desktop"});
}

// In a folder the user may not change, enabling and disabling say so and the entry stays as
// it was (run as nobody where the test runs as root, who may change anything).
TEST(Autostart, ReportsAFolderItMayNotChangeAndKeepsTheEntry) {
    AutostartFolder folder;
    ASSERT_EQ(EnableAutostart("/usr/bin/horvane"), "");
    const std::string before = ReadFileBytes(folder.Entry()), entry = folder.Entry().string();
    chmod(folder.Folder().c_str(), 0755);
    chmod(folder.Entry().parent_path().c_str(), 0555);
    const auto refused = [&] {
        return EnableAutostart("/opt/other/horvane") + DisableAutostart() ==
                           "cannot write the autostart entry " + entry + ": Permission denied" +
                               "cannot remove the autostart entry " + entry +
                               ": Permission denied" &&
                       IsAutostartEnabled()
                   ? 0
                   : 1;
    };
    EXPECT_EQ(geteuid() == 0 ? RunAsNobody(refused) : refused(), 0);
    EXPECT_EQ(ReadFileBytes(folder.Entry()), before);
    chmod(folder.Entry().parent_path().c_str(), 0755);
}
