#include "platform/WholeFileRead.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace horvane {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return std::nullopt;
    std::string bytes;
    char block[65536];
    for (;;) {
        const ssize_t got = read(file, block, sizeof block);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        bytes.append(block, std::size_t(got));
    }
    close(file);
    return bytes;
}

} // namespace horvane
