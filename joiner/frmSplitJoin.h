#pragma once

#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "IShellExecute.h"

#include <QMainWindow>
#include <QString>
#include <functional>

class QAction;
class QToolBar;
class QToolButton;

namespace carvel {
class JoinPanel;
class StatusBar;
} // namespace carvel

namespace carvel::joiner {

// Seamer's one window: the join panel under a two-button toolbar and a File menu, above the
// status bar. It is in join mode from load to exit, and it reads no command line.
class frmSplitJoin final : public QMainWindow {
    Q_OBJECT

public:
    frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                 IShellExecute& shell, QWidget* parent = nullptr);
    ~frmSplitJoin() override;

    // Only a lower-case "t" at position 1 (About) or 2 (Exit) enables that toolbar button and its
    // menu entry; srcAllButton exactly true enables both.
    void ShowTBButton(const QString& srcPatern, bool& srcAllButton);
    void tbMenu_ButtonClick(const QString& key);
    void mnuab_Click();
    void mnuex_Click();

    JoinPanel* joinPanel() const { return m_joinDialog; }
    StatusBar* statusBar1() const { return m_statusBar; }
    // Toolbar button by its index: 1 About, 2 Exit.
    QToolButton* toolbarButton(int index) const { return m_buttons[index - 1]; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void buildToolbar();
    void buildMenus();
    void showAbout();
    void exitProgram();
    // Runs a command so that no exception leaves it for the event loop.
    void guarded(const std::function<void()>& command);

    IMessageBox& m_messageBox;
    IShellExecute& m_shell;
    bool m_centred = false;

    QToolBar* m_tbMenu = nullptr;
    QToolButton* m_buttons[2] = {};
    QAction* m_mnuab = nullptr;
    QAction* m_mnuex = nullptr;
    JoinPanel* m_joinDialog = nullptr;
    StatusBar* m_statusBar = nullptr;
};

} // namespace carvel::joiner
