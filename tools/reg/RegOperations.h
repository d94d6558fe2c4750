#pragma once
// The command's operations and what they share. Each throws CommandError on failure.

#include "platform/registry/RegistryTypes.h"
#include "tools/reg/RegArguments.h"
#include "tools/reg/RegCommand.h"
#include "tools/reg/RegKeyNames.h"

namespace horvane::reg {

struct RegContext {
    std::ostream& out;
    const Confirm& confirm;
};

void RunQuery(const RegArguments& arguments, const RegContext& context);
void RunAdd(const RegArguments& arguments, const RegContext& context);
void RunDelete(const RegArguments& arguments, const RegContext& context);
void RunExport(const RegArguments& arguments, const RegContext& context);
void RunImport(const RegArguments& arguments, const RegContext& context);

KeyName KeyOperand(const std::string& text);
// The same for a key that must exist, spelt as stored.
KeyName ExistingKeyOperand(const std::string& text);

// The message for a registry result code; after the call that failed, with the hive file
// and the cause that call met, where it met one.
std::string ResultMessage(LONG result);
// Throws the result's message unless it is success.
void Check(LONG result);

// Goes on only when forced or confirmed; hint says how to go on without being asked.
void ConfirmOrCancel(const RegContext& context, const std::string& question, bool forced,
                     const std::string& hint);

// "(Default)" for the unnamed value.
std::string ValueDisplayName(const std::string& name);

inline constexpr const char* kCompleted = "The operation completed successfully.\n";

} // namespace horvane::reg
