#pragma once

#include "BackgroundWork.h"
#include "BusyPointer.h"
#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "mdlMain.h"

#include <QGroupBox>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QToolButton;

namespace carvel {

// Where Carvel's join mode and Seamer's window differ; everything else about joining is shared.
struct JoinPanelPolicy {
    // The caption of the result messages and of the engine's own messages.
    std::string programTitle;
    // Carvel refuses an unusable chosen name with its own OK message and reopens the dialog;
    // Seamer asks "Invalid file selected." with Retry and Cancel, and Cancel ends the choice.
    bool retryCancelOnRefusal = false;
    // Carvel shows the hourglass while a join runs; Seamer does not.
    bool busyPointer = true;
    // Seamer allows one successful join per run of the program.
    bool disableStartAfterJoin = false;

    static JoinPanelPolicy carvel();
    static JoinPanelPolicy seamer();
};

// The join panel, frame "JoinDialog": the user picks any piece of a set and a destination, and
// Start rebuilds the file from its pieces.
class JoinPanel final : public QGroupBox {
    Q_OBJECT

public:
    JoinPanel(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
              JoinPanelPolicy policy, QWidget* parent = nullptr);
    ~JoinPanel() override;

    // Puts the pattern of the set that path belongs to into the source box; false (box
    // unchanged) when path does not name a piece.
    bool MakeJoinPattern(const std::string& path);
    // A piece named on a program's command line: its set is chosen as MakeJoinPattern does;
    // a path that is no piece is refused as a chosen file is, and the chooser opens unless the
    // refusal was cancelled.
    void startWithPiece(const std::string& path);
    void cmdSelectJoinFile_Click();
    void cmdSelectJoinTarget_Click();
    // A file dropped on the panel, checked as the source's or the destination's chooser checks
    // a chosen one; a refused file opens that chooser where the refusal asks for another try.
    void dropJoinSource(const std::string& path);
    void dropJoinDestination(const std::string& path);
    bool CheckJoinInput();
    // Starts the join on the worker thread after the checks; while it runs, Start reads
    // Cancel and stops it.
    void cmdJoin_Click();

    bool isWorking() const { return m_work.isRunning(); }
    BackgroundWork* work() { return &m_work; }

    QLineEdit* txtJoinSourceFile() const { return m_txtJoinSourceFile; }
    QLineEdit* txtJoinDestination() const { return m_txtJoinDestination; }
    QToolButton* cmdSelectJoinFile() const { return m_cmdSelectJoinFile; }
    QToolButton* cmdSelectJoinTarget() const { return m_cmdSelectJoinTarget; }
    QToolButton* cmdJoin() const { return m_cmdJoin; }

private:
    void* owner();
    // The refusal of a chosen name; true when the dialog is to open again.
    bool refuseChoice(const std::string& carvelText);
    void showResult(const std::string& text, MsgIcon icon = MsgIcon::None);
    void joinEnded(std::int16_t count);
    // The boxes and choosers cannot be used while a join runs; Start reads Cancel.
    void showWorking(bool working);

    IMessageBox& m_messageBox;
    IFileDialog& m_fileDialog;
    FileSystem& m_fs;
    JoinPanelPolicy m_policy;
    BackgroundWork m_work;
    mdlMain m_engine;
    std::optional<BusyPointer> m_busy;
    std::string m_destination;
    // Whether the destination was there when the join started: a cancel leaves it as it was.
    bool m_destinationExisted = false;

    QLabel* m_label2;
    QLineEdit* m_txtJoinSourceFile;
    QToolButton* m_cmdSelectJoinFile;
    QLabel* m_label1;
    QLineEdit* m_txtJoinDestination;
    QToolButton* m_cmdSelectJoinTarget;
    QToolButton* m_cmdJoin;
};

} // namespace carvel
