#pragma once

#include <string>

namespace carvel::win32 {

// What both programs' mains share.

// The common controls the windows use: toolbar, status bar, progress bar, tooltips.
void initCommonControls();
// The command line after the program's own name and the blanks after it, as UTF-8: quotes and
// inner blanks as given.
std::string commandLineArguments();
// Runs the window thread's messages until the program ends; the keys that move between and
// press the controls reach them as in a dialog.
int runMessageLoop();

} // namespace carvel::win32
