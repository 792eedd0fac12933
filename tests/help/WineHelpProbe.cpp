#include "HTMLHelp.h"
#include "ProgramFolder.h"
#include "WideText.h"
#include "WindowsHelpServices.h"

#include <cstdio>

#include <windows.h>

#include <shellapi.h>

// Opens a help file the way Carvel's Help does, with the help class over the real Windows
// services: HH_DISPLAY_TOPIC of Welcome.htm in the window type "Main". Runs the message loop
// (the viewer's windows and the class's message boxes live on this thread) until the file
// STOP appears, then closes every help window with HHClose. Answers 0 when no "Carvel Help"
// window is left, 3 when one is, 4 when STOP did not come within two minutes.
// Usage: carvel_help_probe HELPFILE STOP
namespace {

std::wstring g_stop;
carvel::HTMLHelp* g_help = nullptr;
ULONGLONG g_deadline = 0;
bool g_stopping = false;

void CALLBACK poll(HWND, UINT, UINT_PTR, DWORD) {
    const bool stop = ::GetFileAttributesW(g_stop.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (g_stopping || (!stop && ::GetTickCount64() < g_deadline))
        return;
    g_stopping = true; // closing the help may run the timer again
    std::fprintf(stderr, "carvel_help_probe: %s\n", stop ? "stopping" : "no stop in time");
    g_help->HHClose();
    // Also ends a message box of the class that is still open.
    ::PostQuitMessage(stop ? 0 : 4);
}

} // namespace

int main() {
    int count = 0;
    wchar_t** arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (count != 3)
        return 2;
    g_stop = arguments[2];
    carvel::WindowsHelpServices machine;
    carvel::HTMLHelp help(machine.services(), carvel::programFolder());
    g_help = &help;
    g_deadline = ::GetTickCount64() + 120000;
    ::SetTimer(nullptr, 0, 100, poll);
    help.setCHMFile(carvel::toUtf8(arguments[1]));
    help.setHHWindow("Main");
    help.setHHTopicURL("Welcome.htm");
    help.HHDisplayTopicURL();
    MSG message;
    int result = 0;
    while (true) {
        const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            result = got == 0 ? static_cast<int>(message.wParam) : 1;
            break;
        }
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    // The viewer closes its windows as it handles the close-all: let it finish.
    for (int i = 0; i < 20 && ::FindWindowW(nullptr, L"Carvel Help") != nullptr; ++i) {
        while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&message);
        ::Sleep(50);
    }
    if (result == 0 && ::FindWindowW(nullptr, L"Carvel Help") != nullptr)
        result = 3;
    return result;
}
