#include "platform/registry/RegistryTypes.h"

namespace horvane {

std::string RegistryResultText(LONG result) {
    switch (result) {
    case ERROR_SUCCESS:
        return "The operation completed successfully.";
    case ERROR_FILE_NOT_FOUND:
        return "The system cannot find the file specified.";
    case ERROR_ACCESS_DENIED:
        return "Access is denied.";
    case ERROR_INVALID_HANDLE:
        return "The handle is invalid.";
    case ERROR_INVALID_DATA:
        return "The data is invalid.";
    case ERROR_OUTOFMEMORY:
        return "Not enough storage is available to complete this operation.";
    case ERROR_INVALID_PARAMETER:
        return "The parameter is incorrect.";
    case ERROR_DISK_FULL:
        return "There is not enough space on the disk.";
    case ERROR_BUSY:
        return "The requested resource is in use.";
    case ERROR_MORE_DATA:
        return "More data is available.";
    case ERROR_NO_MORE_ITEMS:
        return "No more data is available.";
    case ERROR_REGISTRY_CORRUPT:
        return "The registry is corrupted. The structure of one of the files containing registry "
               "data is corrupted, or the system's memory image of the file is corrupted, or the "
               "file could not be recovered because the alternate copy or log was absent or "
               "corrupted.";
    case ERROR_REGISTRY_IO_FAILED:
        return "An I/O operation initiated by the registry failed unrecoverably. The registry "
               "could not read in, or write out, or flush, one of the files that contain the "
               "system's image of the registry.";
    case ERROR_KEY_DELETED:
        return "Illegal operation attempted on a registry key that has been marked for deletion.";
    default:
        return "Unknown error " + std::to_string(result) + ".";
    }
}

} // namespace horvane
