#include "WindowsConsole.h"

#include "WideText.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

namespace carvel {

std::vector<std::string> wideArguments() {
    int count = 0;
    wchar_t** argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; argv != nullptr && i < count; ++i)
        arguments.push_back(toUtf8(argv[i]));
    ::LocalFree(argv);
    return arguments;
}

Utf8Console::Utf8Console() : m_oldCodePage(::GetConsoleOutputCP()) {
    ::SetConsoleOutputCP(CP_UTF8);
}

Utf8Console::~Utf8Console() {
    if (m_oldCodePage != 0)
        ::SetConsoleOutputCP(m_oldCodePage);
}

} // namespace carvel
