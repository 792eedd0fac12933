#pragma once

#include "FileSystem.h"
#include "flow/NumberFormat.h"
#include "flow/WorkRunner.h"

#include <string>

namespace carvel {

// What the status bar shows while work runs: panel 2 tells what runs and how far, and a bar
// with a line beside it takes the place of the panels right of it.
struct ProgressText {
    std::string name;   // "Splitting 42%", or the verb alone while the total is not known
    std::string detail; // "1.5 MB of 3 MB, 2 MB/s, 1 s left"; empty while the total is unknown
    // Of the bar, 0 to kProgressSteps; -1 while the total is not known: the bar only shows that
    // work goes on.
    int steps = -1;
};

inline constexpr int kProgressSteps = 1000;

ProgressText progressText(const WorkProgress& progress, const NumberFormat& format);

} // namespace carvel
