#include "QtDefWindowProc.h"

#include <QWhatsThis>

namespace carvel {

std::intptr_t QtDefWindowProc::defWindowProc(std::intptr_t /*window*/, std::uint32_t message,
                                             std::uintptr_t wParam, std::intptr_t /*lParam*/) {
    if (message == WM_SYSCOMMAND && wParam == SC_CONTEXTHELP && !QWhatsThis::inWhatsThisMode())
        QWhatsThis::enterWhatsThisMode();
    return 0;
}

} // namespace carvel
