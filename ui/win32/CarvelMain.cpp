#include "CarvelWindow.h"
#include "ProgramFolder.h"
#include "Win32FileDialog.h"
#include "Win32MessageBox.h"
#include "Win32Program.h"
#include "Win32ShellExecute.h"
#include "Win32UiThread.h"
#include "WindowsHelpServices.h"

#include <windows.h>

// Carvel splits a file into numbered pieces and joins them again. "-S file" on its command line
// chooses the file to split, "-J piece" switches to joining that piece's set.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace carvel;
    win32::initCommonControls();
    win32::Win32UiThread uiThread;
    Win32MessageBox messageBox;
    Win32FileDialog fileDialog;
    Win32ShellExecute shell;
    // Made before the window, so that the help windows outlive its unload step.
    WindowsHelpServices helpServices;
    win32::CarvelWindow window({messageBox, fileDialog, shell, fileSystem(), uiThread},
                               win32::commandLineArguments());
    window.useHelp(helpServices.services(), programFolder());
    window.start();
    return win32::runMessageLoop();
}
