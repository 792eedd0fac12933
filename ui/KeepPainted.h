#pragma once

#include "mdlMain.h"

namespace carvel {

// Lets the window repaint while a split or join holds the one user-interface thread: the engine
// reports its progress now and then, and each report handles the pending paint and window
// events. Clicks and keys wait until the work is done, so nothing can start a second run.
void keepWindowPainted(mdlMain& engine);

// Marks a run of the engine for as long as it lasts, so the window does not close under it.
class WorkInProgress final {
public:
    explicit WorkInProgress(bool& flag) : m_flag(flag) { m_flag = true; }
    ~WorkInProgress() { m_flag = false; }
    WorkInProgress(const WorkInProgress&) = delete;
    WorkInProgress& operator=(const WorkInProgress&) = delete;

private:
    bool& m_flag;
};

} // namespace carvel
