// horvane-reg: the registry command, in the registry's own command-line conventions.

#include "tools/reg/RegCommand.h"

#include <algorithm>
#include <cctype>
#include <iostream>
#include <unistd.h>

namespace {

// Asks on the terminal; without one nobody can answer, which counts as no.
bool AskOnTerminal(const std::string& question) {
    if (!isatty(STDIN_FILENO))
        return false;
    std::cout << question << std::flush;
    std::string answer;
    if (!std::getline(std::cin, answer))
        return false;
    std::transform(answer.begin(), answer.end(), answer.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return answer == "y" || answer == "yes";
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    return horvane::reg::RunRegCommand(arguments, std::cout, std::cerr, AskOnTerminal);
}
