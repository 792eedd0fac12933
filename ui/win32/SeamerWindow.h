#pragma once

#include "CarvelWindow.h"
#include "flow/JoinFlow.h"
#include "flow/SeamerFlow.h"

#include <string>

namespace carvel::win32 {

// Seamer's one window over Windows controls: the join panel under a two-button toolbar and a
// File menu, above the status bar. What it shows and does is SeamerFlow's.
class SeamerWindow final : public Win32WindowView {
public:
    explicit SeamerWindow(WindowServices services);
    ~SeamerWindow() override;

    // arguments: the command line after the program's name, as UTF-8; a piece named there
    // starts the window with its set chosen. The window shows after it.
    void start(const std::string& arguments);

    void showPanel(Panel panel, bool focusFirstBox) override;
    void showAbout() override;
    void showHelpContents() override {}

private:
    WindowServices m_services;
    JoinControls m_join;
    Win32JoinView m_joinView;
    JoinFlow m_joinFlow;
    SeamerFlow m_flow;
};

} // namespace carvel::win32
