#pragma once

#include <cstdint>

namespace carvel {

inline constexpr std::uint32_t WM_SYSCOMMAND = 274;
inline constexpr std::uintptr_t SC_CONTEXTHELP = 61824;

// The default window procedure: the platform's own handling of a message sent to a window
// (given by its handle).
class IDefWindowProc {
public:
    virtual ~IDefWindowProc() = default;
    virtual std::intptr_t defWindowProc(std::intptr_t window, std::uint32_t message,
                                        std::uintptr_t wParam, std::intptr_t lParam) = 0;
};

} // namespace carvel
