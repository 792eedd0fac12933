#pragma once

#include "flow/JoinFlow.h"
#include "flow/SplitFlow.h"
#include "flow/WindowFlow.h"

#include <string>

namespace carvel {

// Carvel's main window frmSplitJoin: split mode or join mode, the toolbar's five buttons and
// their menu entries, About and Help, and start-up with its command line.
class CarvelFlow final : public WindowFlow {
public:
    static constexpr const char* kProgramTitle = "Carvel";

    // arguments: the program's command line after its own name, as one UTF-8 text.
    CarvelFlow(IWindowView& view, IMessageBox& messageBox, IUiThread& uiThread, FileSystem& fs,
               NumberFormat numberFormat, SplitFlow& split, JoinFlow& join, std::string arguments);

    // Puts the window into its first state and reads the command line; runs once, before the
    // window is first shown.
    void Form_Load();

    // Only a lower-case "t" at position i enables toolbar button i and its menu entry; while
    // work runs Split and Join stay disabled.
    void ShowTBButton(const std::string& srcPatern, bool srcAllButton = false);
    void SwitchToSplitMode();
    void SwitchToJoinMode();
    void tbMenu_ButtonClick(const std::string& key);
    void mnusp_Click();
    void mnujn_Click();
    void mnuex_Click();
    void mnuab_Click();
    void mnuhp_Click();

    IWindowView::Panel shownPanel() const { return m_panel; }

protected:
    // While work runs, Split and Join cannot change the mode under it.
    void workChanged(bool running) override;
    bool splitShown() const override { return m_panel == IWindowView::Panel::Split; }

private:
    void readCommandLine();
    // The caption, status picture and status text of a mode or command.
    void showState(const std::string& caption, const std::string& picture,
                   const std::string& statusText);

    SplitFlow& m_splitFlow;
    std::string m_arguments;
    std::string m_flags; // the toolbar's flag string last asked for
    IWindowView::Panel m_panel = IWindowView::Panel::Split;
};

} // namespace carvel
