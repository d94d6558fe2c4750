#include "platform/SafeFileWrite.h"

#include "platform/FileSync.h"

#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace horvane {
namespace {

constexpr mode_t kNewFileMode = 0666;       // narrowed by the umask, as for any new file
constexpr int kNameAttempts = 100;          // tries at a name that nobody holds yet
constexpr std::size_t kSuffixLength = 12;   // random letters and digits: 62^12 names
constexpr std::size_t kLeafBytesKept = 200; // of the target's name, so the temporary fits

std::error_code LastError() {
    return {errno, std::generic_category()};
}

std::string RandomSuffix() {
    static constexpr char kAlphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device source; // the kernel's random numbers
    std::uniform_int_distribution<std::size_t> pick(0, sizeof kAlphabet - 2);
    std::string suffix;
    for (std::size_t i = 0; i < kSuffixLength; ++i)
        suffix.push_back(kAlphabet[pick(source)]);
    return suffix;
}

std::filesystem::path Folder(const std::filesystem::path& path) {
    return path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
}

// A new, hidden file beside path that this call alone created; -1 with errno on failure.
int CreateTemporaryFile(const std::filesystem::path& path, std::string& name) {
    const std::string leaf = path.filename().string().substr(0, kLeafBytesKept);
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        name = Folder(path) / ("." + leaf + "." + RandomSuffix());
        const int descriptor =
            open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, kNewFileMode);
        if (descriptor >= 0 || errno != EEXIST)
            return descriptor;
    }
    return -1;
}

// Gives the new file the owner and mode of the regular file it replaces.
std::error_code KeepModeOf(const std::filesystem::path& path, int descriptor) {
    struct stat existing {};
    if (lstat(path.c_str(), &existing) != 0)
        return errno == ENOENT ? std::error_code() : LastError();
    if (!S_ISREG(existing.st_mode))
        return {};
    if (existing.st_uid != geteuid() || existing.st_gid != getegid()) {
        // Only a privileged process may give a file away; others keep their own ownership.
        [[maybe_unused]] const int given = fchown(descriptor, existing.st_uid, existing.st_gid);
    }
    if (fchmod(descriptor, existing.st_mode & 07777) != 0)
        return LastError();
    return {};
}

std::error_code WriteAll(int descriptor, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = write(descriptor, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0)
            return LastError();
        bytes.remove_prefix(std::size_t(written));
    }
    return {};
}

// Fills, flushes and closes the temporary file; closes it also on failure.
std::error_code FillFile(const std::filesystem::path& path, int descriptor,
                         std::string_view bytes) {
    std::error_code error = KeepModeOf(path, descriptor);
    if (!error)
        error = WriteAll(descriptor, bytes);
    if (!error && fsync(descriptor) != 0)
        error = LastError();
    if (close(descriptor) != 0 && !error)
        error = LastError();
    return error;
}

} // namespace

std::error_code WriteFileSafely(const std::filesystem::path& path, std::string_view bytes) {
    std::string temporary;
    const int descriptor = CreateTemporaryFile(path, temporary);
    if (descriptor < 0)
        return LastError();
    std::error_code error = FillFile(path, descriptor, bytes);
    if (!error && rename(temporary.c_str(), path.c_str()) != 0)
        error = LastError();
    if (error) {
        unlink(temporary.c_str());
        return error;
    }
    SyncFolder(Folder(path)); // makes the rename itself durable
    return {};
}

} // namespace horvane
