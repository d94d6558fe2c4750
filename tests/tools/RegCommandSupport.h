#pragma once
// Running horvane-reg in-process on temporary hives.

#include "tests/support/TemporaryHives.h"
#include "tools/reg/RegCommand.h"

#include <gtest/gtest.h>
#include <sstream>

namespace horvane::test_support {

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

    TemporaryHives hives_;
    bool answer_ = false; // what the user answers when asked
    std::vector<std::string> questions_;
};

} // namespace horvane::test_support
