#pragma once

#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "IShellExecute.h"
#include "WindowFrame.h"
#include "flow/SeamerFlow.h"

#include <QString>
#include <memory>

class QAction;

namespace carvel {
class JoinPanel;
} // namespace carvel

namespace carvel::joiner {

// Seamer's one window: the join panel under a two-button toolbar and a File menu, above the
// status bar. It is in join mode from load to exit. Its SeamerFlow decides; the window draws.
class frmSplitJoin final : public WindowFrame {
    Q_OBJECT

public:
    frmSplitJoin(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                 IShellExecute& shell, QWidget* parent = nullptr);
    ~frmSplitJoin() override;

    SeamerFlow& flow() { return *m_flow; }
    WindowFlow& windowFlow() override { return *m_flow; }

    // The program's arguments, joined by single blanks (SeamerFlow::readCommandLine).
    void readCommandLine(const QString& arguments);

    JoinPanel* joinPanel() const { return m_joinDialog; }

    void showPanel(Panel panel, bool focusFirstBox) override;
    void showAbout() override;
    void showHelpContents() override {}

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildMenus();

    IMessageBox& m_messageBox;
    IShellExecute& m_shell;

    QAction* m_mnuab = nullptr;
    QAction* m_mnuex = nullptr;
    JoinPanel* m_joinDialog = nullptr;
    std::unique_ptr<SeamerFlow> m_flow;
};

} // namespace carvel::joiner
