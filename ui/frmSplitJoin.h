#pragma once

#include "FileSystem.h"
#include "HelpCommand.h"
#include "HelpServices.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "WindowFrame.h"
#include "flow/CarvelFlow.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QAction;

namespace carvel {

class JoinPanel;
class SplitPanel;

// Carvel's main window: a toolbar and menus over the split panel or the join panel (one at a
// time, the window's mode), and the status bar. Its CarvelFlow decides; the window draws.
class frmSplitJoin final : public WindowFrame {
    Q_OBJECT

public:
    // arguments: the program's command line after its own name, as one text.
    // showAbout: shows the About box modally and returns when it is closed.
    frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                 QString arguments, std::function<void()> showAbout, QWidget* parent = nullptr);
    ~frmSplitJoin() override;

    CarvelFlow& flow() { return *m_flow; }
    WindowFlow& windowFlow() override { return *m_flow; }

    // The services the help object works through, and the folder the program runs from, in
    // which (or in ../share/carvel/ from which) the Help command looks for Carvel.chm. Without
    // them Help only sets the window's state.
    void useHelp(HelpServices services, QString programFolder);
    // The one help object, once Help has been chosen; none after the window unloads.
    const HTMLHelp* currentHelpObject() const { return m_help ? m_help->helpObject() : nullptr; }

    SplitPanel* splitPanel() const { return m_splitDialog; }
    JoinPanel* joinPanel() const { return m_joinDialog; }

    void showPanel(Panel panel, bool focusFirstBox) override;
    void showAbout() override;
    void showHelpContents() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();
    // Runs before the window unloads, whatever closes it; never stops the unload.
    void Form_QueryUnload();

    std::function<void()> m_showAbout;

    QAction* m_mnusp = nullptr;
    QAction* m_mnujn = nullptr;
    QAction* m_mnuex = nullptr;
    QAction* m_mnuhp = nullptr;
    QAction* m_mnuab = nullptr;
    SplitPanel* m_splitDialog = nullptr;
    JoinPanel* m_joinDialog = nullptr;
    std::unique_ptr<CarvelFlow> m_flow;

    std::optional<HelpCommand> m_help;
};

} // namespace carvel
