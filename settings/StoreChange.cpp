#include "settings/StoreChange.h"

#include "platform/registry/RegistryApi.h"
#include "platform/registry/RegistryFailure.h"
#include "settings/RegistryError.h"

namespace horvane {

void WriteAsOneChange(const std::function<void()>& writes) {
    RegistryBatch batch(HKEY_CURRENT_USER);
    if (batch.Begin() != ERROR_SUCCESS) {
        writes();
        return;
    }
    writes(); // an exception leaves the batch uncommitted: everything is undone
    if (const LONG result = batch.Commit(); result != ERROR_SUCCESS)
        throw RegistryError(kRegistrySetValueError,
                            "Failed to save the changes: " + RegistryFailureText(result));
}

} // namespace horvane
