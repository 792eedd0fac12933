#pragma once

#include "ICursorPosition.h"

namespace carvel {

class QtCursorPosition final : public ICursorPosition {
public:
    ScreenPoint cursorPos() override;
};

} // namespace carvel
