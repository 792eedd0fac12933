#pragma once

#include "IDefWindowProc.h"

namespace carvel {

// The default handling of the messages this program sends: the context-help system command
// puts the pointer into "What's This?" mode, in which the next click on a control shows its
// help. Other messages are not handled.
class QtDefWindowProc final : public IDefWindowProc {
public:
    std::intptr_t defWindowProc(std::intptr_t window, std::uint32_t message, std::uintptr_t wParam,
                                std::intptr_t lParam) override;
};

} // namespace carvel
