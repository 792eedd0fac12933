#pragma once

#include "FileSystem.h"
#include "HelpServices.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "WindowFrame.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

class QAction;

namespace carvel {

class HTMLHelp;
class JoinPanel;
class SplitPanel;

// Carvel's main window: a toolbar and menus over the split panel or the join panel (one at a
// time, the window's mode), and the status bar.
class frmSplitJoin final : public WindowFrame {
    Q_OBJECT

public:
    // arguments: the program's command line after its own name, as one text.
    // showAbout: shows the About box modally and returns when it is closed.
    frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                 QString arguments, std::function<void()> showAbout, QWidget* parent = nullptr);
    ~frmSplitJoin() override;

    // Puts the window into its first state and reads the command line; runs once, before the
    // window is first shown.
    void Form_Load();

    // The services the help object works through, and the folder the program runs from, in
    // which (or in ../share/carvel/ from which) the Help command looks for Carvel.chm. Without
    // them Help only sets the window's state.
    void useHelp(HelpServices services, QString programFolder);
    // The one help object, once Help has been chosen; none after the window unloads.
    const HTMLHelp* currentHelpObject() const { return helpObject.get(); }

    // Only a lower-case "t" at position i enables toolbar button i and its menu entry.
    void ShowTBButton(const QString& srcPatern, bool srcAllButton = false);
    void SwitchToSplitMode();
    void SwitchToJoinMode();
    void tbMenu_ButtonClick(const QString& key);
    void mnusp_Click();
    void mnujn_Click();
    void mnuex_Click();
    void mnuab_Click();
    void mnuhp_Click();

    SplitPanel* splitPanel() const { return m_splitDialog; }
    JoinPanel* joinPanel() const { return m_joinDialog; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // While work runs, Split and Join cannot change the mode under it.
    void workChanged(bool running) override;

private:
    void buildMenus();
    void readCommandLine();
    void setModePicture(const QString& role);
    void showPanelFocus(QWidget* firstBox);
    // Help command, from its fourth step on: opening the help file's contents.
    void showHelpContents();
    // Runs before the window unloads, whatever closes it; never stops the unload.
    void Form_QueryUnload();

    QString m_arguments;
    QString m_flags; // the toolbar's flag string last asked for
    std::function<void()> m_showAbout;

    QAction* m_mnusp = nullptr;
    QAction* m_mnujn = nullptr;
    QAction* m_mnuex = nullptr;
    QAction* m_mnuhp = nullptr;
    QAction* m_mnuab = nullptr;
    SplitPanel* m_splitDialog = nullptr;
    JoinPanel* m_joinDialog = nullptr;

    std::optional<HelpServices> m_helpServices;
    QString m_programFolder;
    std::unique_ptr<HTMLHelp> helpObject;
    bool helpShown = false;
};

} // namespace carvel
