#pragma once

#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "IShellExecute.h"
#include "WindowFrame.h"

#include <QString>

class QAction;

namespace carvel {
class JoinPanel;
} // namespace carvel

namespace carvel::joiner {

// Seamer's one window: the join panel under a two-button toolbar and a File menu, above the
// status bar. It is in join mode from load to exit.
class frmSplitJoin final : public WindowFrame {
    Q_OBJECT

public:
    frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                 IShellExecute& shell, QWidget* parent = nullptr);
    ~frmSplitJoin() override;

    // The program's arguments, joined by single blanks: a piece given there (as a file manager's
    // "Open with" gives it) starts the window with its set chosen; blank arguments change nothing.
    void readCommandLine(const QString& arguments);

    // Only a lower-case "t" at position 1 (About) or 2 (Exit) enables that toolbar button and its
    // menu entry; srcAllButton exactly true enables both.
    void ShowTBButton(const QString& srcPatern, bool& srcAllButton);
    void tbMenu_ButtonClick(const QString& key);
    void mnuab_Click();
    void mnuex_Click();

    JoinPanel* joinPanel() const { return m_joinDialog; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Form_Load();
    void buildMenus();
    void showAbout();
    void exitProgram();

    IShellExecute& m_shell;

    QAction* m_mnuab = nullptr;
    QAction* m_mnuex = nullptr;
    JoinPanel* m_joinDialog = nullptr;
};

} // namespace carvel::joiner
