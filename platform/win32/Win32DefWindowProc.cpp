#include "Win32DefWindowProc.h"

#include <windows.h>

namespace carvel {

std::intptr_t Win32DefWindowProc::defWindowProc(std::intptr_t window, std::uint32_t message,
                                                std::uintptr_t wParam, std::intptr_t lParam) {
    return ::DefWindowProcW(reinterpret_cast<HWND>(window), message, wParam, lParam);
}

} // namespace carvel
