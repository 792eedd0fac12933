#include "PosixLongPathName.h"

#include <sys/stat.h>

namespace carvel {

std::optional<std::string> PosixLongPathName::getLongPathName(const std::string& path,
                                                              std::uint32_t bufferSize) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || path.size() + 1 > bufferSize)
        return std::nullopt;
    return path;
}

} // namespace carvel
