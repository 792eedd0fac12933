#pragma once

#include <string>

namespace carvel::win32 {

// What both programs' mains share.

// The common controls the windows use: toolbar, status bar, progress bar, tooltips.
void initCommonControls();
// The program's arguments as UTF-8, joined by single blanks.
std::string commandLineArguments();
// Runs the window thread's messages until the program ends; the keys that move between and
// press the controls reach them as in a dialog.
int runMessageLoop();

} // namespace carvel::win32
