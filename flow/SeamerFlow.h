#pragma once

#include "flow/JoinFlow.h"
#include "flow/WindowFlow.h"

#include <string>

namespace carvel {

// Seamer's one window: the join panel under a two-button toolbar (About, Exit) and a File menu.
// It is in join mode from load to exit.
class SeamerFlow final : public WindowFlow {
public:
    static constexpr const char* kProgramTitle = "Seamer";

    SeamerFlow(IWindowView& view, IMessageBox& messageBox, IUiThread& uiThread, FileSystem& fs,
               NumberFormat numberFormat, JoinFlow& join);

    void Form_Load();
    // The program's arguments joined by single blanks: a piece given there (as a file manager's
    // "Open with" gives it) starts the window with its set chosen; blank arguments change nothing.
    void readCommandLine(const std::string& arguments);

    // Only a lower-case "t" at position 1 (About) or 2 (Exit) enables that toolbar button and
    // its menu entry; srcAllButton exactly true enables both.
    void ShowTBButton(const std::string& srcPatern, bool& srcAllButton);
    void tbMenu_ButtonClick(const std::string& key);
    void mnuab_Click();
    void mnuex_Click();

private:
    void exitProgram();
};

} // namespace carvel
