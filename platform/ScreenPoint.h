#pragma once

#include <cstdint>

namespace carvel {

// A position on the screen, in pixels from its top-left corner.
struct ScreenPoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const ScreenPoint&) const = default;
};

} // namespace carvel
