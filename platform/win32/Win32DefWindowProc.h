#pragma once

#include "IDefWindowProc.h"

namespace carvel {

// DefWindowProcW: the system's own handling of a message to a window given by its HWND; the
// context-help system command puts the pointer into "What's This?" mode.
class Win32DefWindowProc final : public IDefWindowProc {
public:
    std::intptr_t defWindowProc(std::intptr_t window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) override;
};

} // namespace carvel
