#pragma once

#include "BusyPointer.h"
#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "QtUiThread.h"
#include "flow/IJoinView.h"
#include "flow/JoinFlow.h"

#include <QGroupBox>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QToolButton;

namespace carvel {

// The join panel, frame "JoinDialog": the user picks any piece of a set and a destination, and
// Start rebuilds the file from its pieces. It draws the panel and hands its events to its
// JoinFlow, which decides.
class JoinPanel final : public QGroupBox, public IJoinView {
    Q_OBJECT

public:
    JoinPanel(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs, JoinPolicy policy,
              QWidget* parent = nullptr);
    ~JoinPanel() override;

    JoinFlow& flow() { return m_flow; }
    bool isWorking() const { return m_flow.isWorking(); }

    QLineEdit* txtJoinSourceFile() const { return m_txtJoinSourceFile; }
    QLineEdit* txtJoinDestination() const { return m_txtJoinDestination; }
    QToolButton* cmdSelectJoinFile() const { return m_cmdSelectJoinFile; }
    QToolButton* cmdSelectJoinTarget() const { return m_cmdSelectJoinTarget; }
    QToolButton* cmdJoin() const { return m_cmdJoin; }

    std::string sourceText() const override;
    void setSourceText(const std::string& text) override;
    std::string destinationText() const override;
    void setDestinationText(const std::string& text) override;
    void focus(InputField field) override;
    void showWorking(bool working) override;
    void setStartEnabled(bool enabled) override;
    void showBusyPointer(bool busy) override;
    void* owner() override;

private:
    std::optional<BusyPointer> m_busy;
    QtUiThread m_uiThread;

    QLabel* m_label2;
    QLineEdit* m_txtJoinSourceFile;
    QToolButton* m_cmdSelectJoinFile;
    QLabel* m_label1;
    QLineEdit* m_txtJoinDestination;
    QToolButton* m_cmdSelectJoinTarget;
    QToolButton* m_cmdJoin;

    // Last: it goes first, stopping a join still running while the controls are there.
    JoinFlow m_flow;
};

} // namespace carvel
