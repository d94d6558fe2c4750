#include "settings/StoreChange.h"

#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryFailure.h"
#include "settings/RegistryError.h"

namespace horvane {

namespace {

RegistryError SaveFailed(LONG result) {
    return RegistryError(kRegistrySetValueError,
                         "Failed to save the changes: " + RegistryFailureText(result));
}

} // namespace

void WriteAsOneChange(const std::function<void()>& writes) {
    if (RegistryBatch::IsOpen(HKEY_CURRENT_USER)) {
        writes();
        return;
    }
    RegistryBatch batch(HKEY_CURRENT_USER);
    if (const LONG result = batch.Begin(); result != ERROR_SUCCESS)
        throw SaveFailed(result);
    writes(); // an exception leaves the batch uncommitted: everything is undone
    if (const LONG result = batch.Commit(); result != ERROR_SUCCESS)
        throw SaveFailed(result);
}

} // namespace horvane
