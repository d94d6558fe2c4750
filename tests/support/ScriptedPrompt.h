#pragma once
// A message prompt that answers questions from a script and records every box shown, in order.
// A question beyond the script fails the test and is answered Cancel.

#include "platform/ui/MessagePrompt.h"

#include <deque>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace horvane::test_support {

class ScriptedPrompt : public MessagePrompt {
public:
    PromptAnswer AskYesNoCancel(const std::string& question) override {
        shown.push_back(question);
        if (answers.empty()) {
            ADD_FAILURE() << "unexpected question: " << question;
            return PromptAnswer::Cancel;
        }
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowError(const std::string& message) override { shown.push_back(message); }

    std::deque<PromptAnswer> answers;
    std::vector<std::string> shown;
};

} // namespace horvane::test_support
