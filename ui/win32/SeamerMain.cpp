#include "SeamerWindow.h"
#include "Win32FileDialog.h"
#include "Win32MessageBox.h"
#include "Win32Program.h"
#include "Win32ShellExecute.h"
#include "Win32UiThread.h"

#include <windows.h>

// Seamer joins a piece set back into its file. A piece named on its command line, as Explorer's
// "Open with" gives it, starts the window with that piece's set chosen.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    using namespace carvel;
    win32::initCommonControls();
    win32::Win32UiThread uiThread;
    Win32MessageBox messageBox;
    Win32FileDialog fileDialog;
    Win32ShellExecute shell;
    win32::SeamerWindow window({messageBox, fileDialog, shell, fileSystem(), uiThread});
    window.start(win32::commandLineArguments());
    return win32::runMessageLoop();
}
