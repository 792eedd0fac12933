#pragma once

#include "FileSystem.h"
#include "HelpCommand.h"
#include "HelpServices.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "IShellExecute.h"
#include "Win32About.h"
#include "Win32Panels.h"
#include "Win32Views.h"
#include "flow/CarvelFlow.h"
#include "flow/IUiThread.h"
#include "flow/JoinFlow.h"
#include "flow/SplitFlow.h"

#include <optional>
#include <string>

namespace carvel::win32 {

// The services a window works through, made by the program's main.
struct WindowServices {
    IMessageBox& messageBox;
    IFileDialog& fileDialog;
    IShellExecute& shell;
    FileSystem& fs;
    IUiThread& uiThread;
};

// Carvel's main window frmSplitJoin over Windows controls: the split and join panels under the
// toolbar and the menus, above the status bar. What it shows and does is CarvelFlow's; the
// window draws it and hands the flow the user's clicks, keys and drops.
class CarvelWindow final : public Win32WindowView {
public:
    // arguments: the command line after the program's name, as UTF-8.
    CarvelWindow(WindowServices services, std::string arguments);
    ~CarvelWindow() override;

    // The services the help object works through and the folder the program runs from, in
    // which the Help command looks for Carvel.chm. Without them Help only sets the window's
    // state.
    void useHelp(HelpServices services, std::string programFolder);

    // The first state and the command line, then the window shows.
    void start();

    void showPanel(Panel panel, bool focusFirstBox) override;
    void showAbout() override;
    void showHelpContents() override;

private:
    void connectControls();
    void connectCommands();

    WindowServices m_services;
    SplitControls m_split;
    JoinControls m_join;
    Win32SplitView m_splitView;
    Win32JoinView m_joinView;
    SplitFlow m_splitFlow;
    JoinFlow m_joinFlow;
    CarvelFlow m_flow;
    std::optional<HelpCommand> m_help;
};

} // namespace carvel::win32
