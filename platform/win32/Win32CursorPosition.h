#pragma once

#include "ICursorPosition.h"

namespace carvel {

// GetCursorPos: the pointer's place on the screen, in the program's pixels.
class Win32CursorPosition final : public ICursorPosition {
public:
    ScreenPoint cursorPos() override;
};

} // namespace carvel
