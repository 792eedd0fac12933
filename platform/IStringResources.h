#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace carvel {

// The program's string resources by number; nullopt for a number it does not carry.
class IStringResources {
public:
    virtual ~IStringResources() = default;
    virtual std::optional<std::string> loadString(std::uint32_t id) = 0;
};

} // namespace carvel
