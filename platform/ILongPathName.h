#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace carvel {

// The platform's long-path call: the long form of an existing path, or nullopt when the path
// does not exist or its long form does not fit the buffer (terminating null included).
class ILongPathName {
public:
    virtual ~ILongPathName() = default;
    virtual std::optional<std::string> getLongPathName(const std::string& path,
                                                       std::uint32_t bufferSize) = 0;
};

} // namespace carvel
