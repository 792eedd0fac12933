#include "flow/CarvelFlow.h"

#include "flow/StartArguments.h"

#include <algorithm>

namespace carvel {

CarvelFlow::CarvelFlow(IWindowView& view, IMessageBox& messageBox, IUiThread& uiThread,
                       FileSystem& fs, NumberFormat numberFormat, SplitFlow& split, JoinFlow& join,
                       std::string arguments)
    : WindowFlow(view, messageBox, uiThread, fs, kProgramTitle, std::move(numberFormat), &split,
                 join),
      m_splitFlow(split), m_arguments(std::move(arguments)) {}

void CarvelFlow::ShowTBButton(const std::string& srcPatern, bool srcAllButton) {
    m_flags = srcAllButton ? std::string("ttttt") : srcPatern;
    std::string p = m_flags;
    if (isWorking())
        p.replace(0, std::min<std::size_t>(2, p.size()), "ff");
    applyFlags(p, 5);
}

void CarvelFlow::workChanged(bool) {
    ShowTBButton(m_flags);
}

void CarvelFlow::showState(const std::string& caption, const std::string& picture,
                           const std::string& statusText) {
    m_view.setCaption(caption);
    m_view.setModePicture(picture);
    m_view.setStatusText(statusText);
}

void CarvelFlow::SwitchToSplitMode() {
    if (isWorking())
        return;
    m_splitFlow.enableStart();
    ShowTBButton("ftttt");
    m_panel = IWindowView::Panel::Split;
    m_view.showPanel(m_panel, true);
    showState("Split File", "Split", "Split File");
}

void CarvelFlow::SwitchToJoinMode() {
    if (isWorking())
        return;
    m_join.enableStart();
    ShowTBButton("tfttt");
    m_panel = IWindowView::Panel::Join;
    m_view.showPanel(m_panel, true);
    // Singular here, where the caption says "Join Files".
    showState("Join Files", "Join", "Join File");
}

void CarvelFlow::tbMenu_ButtonClick(const std::string& key) {
    guarded([this, &key] {
        if (key == "Split")
            SwitchToSplitMode();
        if (key == "Join")
            SwitchToJoinMode();
        if (key == "About")
            mnuab_Click();
        if (key == "Help")
            mnuhp_Click();
        if (key == "Exit")
            mnuex_Click();
    });
}

void CarvelFlow::mnusp_Click() {
    guarded([this] { SwitchToSplitMode(); });
}

void CarvelFlow::mnujn_Click() {
    guarded([this] { SwitchToJoinMode(); });
}

void CarvelFlow::mnuex_Click() {
    guarded([this] { m_view.close(); });
}

void CarvelFlow::mnuab_Click() {
    guarded([this] {
        ShowTBButton("ttttt");
        showState("About", "About", "About");
        m_view.showAbout();
    });
}

void CarvelFlow::mnuhp_Click() {
    guarded([this] {
        ShowTBButton("ttttt");
        showState("Help", "Help", "Help");
        m_view.showHelpContents();
    });
}

void CarvelFlow::Form_Load() {
    guarded([this] {
        ShowTBButton("ftttt");
        m_splitFlow.optSizeMode_Click(0);
        m_panel = IWindowView::Panel::Split;
        m_view.showPanel(m_panel, false);
        // Status panel 2 stays empty until a mode is chosen.
        m_view.setCaption("Split File");
        m_view.setModePicture("Split");
        readCommandLine();
    });
}

void CarvelFlow::readCommandLine() {
    const StartRequest request = parseStartArguments(m_arguments);
    if (request.mode == StartRequest::Mode::Split) {
        m_splitFlow.dropSplitSource(request.path);
        return;
    }
    if (request.mode == StartRequest::Mode::Join) {
        SwitchToJoinMode();
        // "-J" alone, as a launcher gives the menu's join action with no file, only opens join
        // mode: there is no path to refuse.
        if (!request.path.empty())
            m_join.startWithPiece(request.path);
    }
}

} // namespace carvel
