#pragma once

#include "ScreenPoint.h"

namespace carvel {

// Where the mouse pointer is on the screen.
class ICursorPosition {
public:
    virtual ~ICursorPosition() = default;
    virtual ScreenPoint cursorPos() = 0;
};

} // namespace carvel
