#include "platform/registry/RegistryFailure.h"

#include <cstring>

namespace horvane {
namespace {

struct HiveFailure {
    LONG result = ERROR_SUCCESS;
    std::string detail;
};

HiveFailure& LastFailure() {
    thread_local HiveFailure failure;
    return failure;
}

} // namespace

void NoteHiveFailure(LONG result, const std::filesystem::path& file, const std::string& cause) {
    LastFailure() = {result, " (" + file.string() + ": " + cause + ")"};
}

void ClearHiveFailure() {
    LastFailure() = {};
}

std::string HiveFailureDetail(LONG result) {
    const HiveFailure& failure = LastFailure();
    return result != ERROR_SUCCESS && failure.result == result ? failure.detail : std::string();
}

std::string RegistryFailureText(LONG result) {
    return RegistryResultText(result) + HiveFailureDetail(result);
}

std::string SystemErrorText(int error) {
    return std::strerror(error);
}

} // namespace horvane
