#include "flow/SeamerFlow.h"

#include "flow/PanelChecks.h"

namespace carvel {

SeamerFlow::SeamerFlow(IWindowView& view, IMessageBox& messageBox, IUiThread& uiThread,
                       FileSystem& fs, NumberFormat numberFormat, JoinFlow& join)
    : WindowFlow(view, messageBox, uiThread, fs, kProgramTitle, std::move(numberFormat), nullptr,
                 join) {}

void SeamerFlow::Form_Load() {
    m_view.showPanel(IWindowView::Panel::Join, false);
    m_view.setCaption("Join File");
    m_view.setModePicture("Join");
}

void SeamerFlow::readCommandLine(const std::string& arguments) {
    const std::string piece = trimBlanks(arguments);
    if (!piece.empty())
        m_join.startWithPiece(piece);
}

void SeamerFlow::ShowTBButton(const std::string& srcPatern, bool& srcAllButton) {
    applyFlags(srcAllButton ? std::string("ttttt") : srcPatern, 2);
}

void SeamerFlow::tbMenu_ButtonClick(const std::string& key) {
    guarded([this, &key] {
        // The toolbar's About only shows the box; the menu entry's also enables the buttons.
        if (key == "About")
            m_view.showAbout();
        if (key == "Exit")
            exitProgram();
    });
}

void SeamerFlow::mnuab_Click() {
    guarded([this] {
        bool allButtons = false;
        ShowTBButton("ttttt", allButtons);
        m_view.showAbout();
    });
}

void SeamerFlow::mnuex_Click() {
    guarded([this] { exitProgram(); });
}

void SeamerFlow::exitProgram() {
    if (m_view.close())
        m_view.quit();
}

} // namespace carvel
