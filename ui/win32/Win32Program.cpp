#include "Win32Program.h"

#include "WideText.h"
#include "Win32Frame.h"

#include <windows.h>

#include <commctrl.h>

namespace carvel::win32 {

void initCommonControls() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_BAR_CLASSES | ICC_PROGRESS_CLASS |
                                                        ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
}

std::string commandLineArguments() {
    // Split by the system's rules and joined again, as a shell hands them on Linux: a path in
    // quotes arrives without them.
    std::string text;
    for (const std::string& argument : wideArguments()) {
        if (!text.empty())
            text += ' ';
        text += argument;
    }
    return text;
}

int runMessageLoop() {
    MSG message;
    BOOL got;
    while ((got = GetMessageW(&message, nullptr, 0, 0)) > 0) {
        if (Win32Frame::dialogKeys(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return got < 0 ? 1 : static_cast<int>(message.wParam);
}

} // namespace carvel::win32
