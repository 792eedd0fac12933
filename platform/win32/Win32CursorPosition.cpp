#include "Win32CursorPosition.h"

#include <windows.h>

namespace carvel {

ScreenPoint Win32CursorPosition::cursorPos() {
    POINT point{};
    if (!::GetCursorPos(&point))
        return {};
    return {point.x, point.y};
}

} // namespace carvel
