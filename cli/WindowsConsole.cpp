#include "WindowsConsole.h"

#include "WideText.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace carvel {

Utf8Console::Utf8Console() : m_oldCodePage(::GetConsoleOutputCP()) {
    ::SetConsoleOutputCP(CP_UTF8);
}

Utf8Console::~Utf8Console() {
    if (m_oldCodePage != 0)
        ::SetConsoleOutputCP(m_oldCodePage);
}

} // namespace carvel
