#pragma once
// horvane-reg: query, add, delete, export and import registry keys.

#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace horvane::reg {

// Asks a yes/no question; answers false for no, and when there is nobody to ask.
using Confirm = std::function<bool(const std::string& question)>;

// Runs the command and answers its exit status: 0 on success, 1 on failure after an
// "ERROR: " line on err.
int RunRegCommand(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err,
                  const Confirm& confirm);

} // namespace horvane::reg
