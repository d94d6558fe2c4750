#pragma once
// The one message prompt of the tests and benchmarks: it answers questions from a script and
// records every box shown, in order, the error messages also on their own, and the questions
// asked beyond the script (answered Cancel), for a test to refuse.

#include "platform/ui/MessagePrompt.h"

#include <deque>
#include <string>
#include <vector>

namespace horvane::test_support {

class ScriptedPrompt : public MessagePrompt {
public:
    PromptAnswer AskYesNoCancel(const std::string& question) override {
        shown.push_back(question);
        if (answers.empty()) {
            unscripted.push_back(question);
            return PromptAnswer::Cancel;
        }
        const PromptAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void ShowError(const std::string& message) override {
        shown.push_back(message);
        errors.push_back(message);
    }

    std::deque<PromptAnswer> answers;
    std::vector<std::string> shown;
    std::vector<std::string> errors;
    std::vector<std::string> unscripted;
};

} // namespace horvane::test_support
