#pragma once
// horvane-reg run in-process on temporary hives, as the tool's tests share it.

#include "tests/support/RawRegistry.h"
#include "tests/support/TemporaryHives.h"
#include "tools/reg/RegCommand.h"
#include "tools/reg/RegFileFormat.h"

#include <gtest/gtest.h>
#include <sstream>

namespace horvane::test_support {

inline constexpr const char* kKey = "HKCU\\Software\\Test";

struct CommandResult {
    int status = 0;
    std::string out;
    std::string err;
};

class RegCommand : public ::testing::Test {
protected:
    CommandResult Run(const std::vector<std::string>& arguments) {
        std::ostringstream out, err;
        const int status = reg::RunRegCommand(arguments, out, err, [this](const std::string& q) {
            questions_.push_back(q);
            return answer_;
        });
        return {status, out.str(), err.str()};
    }

    // Runs a command that must succeed and answers what it printed.
    std::string Succeed(const std::vector<std::string>& arguments) {
        const CommandResult result = Run(arguments);
        EXPECT_EQ(result.status, 0) << result.err;
        return result.out;
    }

    std::string File(const std::string& name) const { return (hives_.Folder() / name).string(); }

    // The user's value at path below HKEY_CURRENT_USER, and a text value written there.
    static RawValue Value(const std::string& path, const std::string& name) {
        return ReadRaw(HKEY_CURRENT_USER, path, name);
    }
    static LONG Put(const std::string& path, const std::string& name, const std::string& text) {
        return WriteRaw(HKEY_CURRENT_USER, path, name, REG_SZ, TextBytes(text));
    }

    TemporaryHives hives_;
    bool answer_ = false; // what the user answers when asked
    std::vector<std::string> questions_;
};

} // namespace horvane::test_support
