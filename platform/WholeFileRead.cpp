#include "platform/WholeFileRead.h"

#include <fcntl.h>
#include <unistd.h>

namespace horvane {

std::optional<std::string> ReadWholeFile(const std::filesystem::path& path) {
    const int file = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return std::nullopt;
    std::string bytes;
    char block[65536];
    for (ssize_t got; (got = read(file, block, sizeof block)) > 0;)
        bytes.append(block, std::size_t(got));
    close(file);
    return bytes;
}

} // namespace horvane
