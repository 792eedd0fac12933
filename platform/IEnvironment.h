#pragma once

#include <cstdint>
#include <string>

namespace carvel {

// Environment-string expansion: replaces each %NAME% by the variable's value. A reference to
// a variable that is not set stays as written; the result is cut to fit the buffer.
class IEnvironment {
public:
    virtual ~IEnvironment() = default;
    virtual std::string expandEnvironmentStrings(const std::string& text,
                                                 std::uint32_t bufferSize) = 0;
};

} // namespace carvel
