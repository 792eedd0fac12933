#pragma once

#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "flow/IJoinView.h"
#include "flow/IUiThread.h"
#include "flow/WorkRunner.h"
#include "mdlMain.h"

#include <cstdint>
#include <string>

namespace carvel {

// Where Carvel's join mode and Seamer's window differ; everything else about joining is shared.
struct JoinPolicy {
    // The caption of the result messages and of the engine's own messages.
    std::string programTitle;
    // Carvel refuses an unusable chosen name with its own OK message and reopens the dialog;
    // Seamer asks "Invalid file selected." with Retry and Cancel, and Cancel ends the choice.
    bool retryCancelOnRefusal = false;
    // Carvel shows the hourglass while a join runs; Seamer does not.
    bool busyPointer = true;
    // Seamer allows one successful join per run of the program.
    bool disableStartAfterJoin = false;

    static JoinPolicy carvel();
    static JoinPolicy seamer();
};

// What the join panel decides, for every front end: the pattern from a chosen piece, the
// destination from a chosen name, the checks before a join, the join on a worker thread with
// Start reading Cancel, and the outcome. The front end's view forwards its events to the
// handlers named after the controls.
class JoinFlow final {
public:
    JoinFlow(IJoinView& view, IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
             IUiThread& uiThread, JoinPolicy policy);
    // Stops a join still running and waits for it.
    ~JoinFlow();
    JoinFlow(const JoinFlow&) = delete;
    JoinFlow& operator=(const JoinFlow&) = delete;

    // Puts the pattern of the set that path belongs to into the source box; false (box
    // unchanged) when path does not name a piece.
    bool MakeJoinPattern(const std::string& path);
    // A piece named on a program's command line: its set is chosen as MakeJoinPattern does; a
    // path that is no piece is refused as a chosen file is, and the chooser opens (in the
    // refused file's folder) unless the refusal was cancelled.
    void startWithPiece(const std::string& path);
    void cmdSelectJoinFile_Click();
    void cmdSelectJoinTarget_Click();
    // A file dropped on the panel, checked as the source's or the destination's chooser checks
    // a chosen one; a refused file opens that chooser where the refusal asks for another try.
    void dropJoinSource(const std::string& path);
    void dropJoinDestination(const std::string& path);
    bool CheckJoinInput();
    // Enables Start, as entering join mode does.
    void enableStart();
    // Starts the join on the worker thread after the checks; while it runs, Start reads Cancel
    // and stops it.
    void cmdJoin_Click();

    bool isWorking() const { return m_work.isRunning(); }
    WorkRunner& work() { return m_work; }
    const JoinPolicy& policy() const { return m_policy; }

private:
    // The refusal of a chosen piece or destination; true when the dialog is to open again.
    bool refusePiece(const std::string& path);
    bool refuseDestination();
    bool refuseChoice(const std::string& carvelText);
    void showResult(const std::string& text, MsgIcon icon = MsgIcon::None);
    void joinEnded(std::int16_t count);
    void showWorking(bool working);

    IJoinView& m_view;
    IMessageBox& m_messageBox;
    IFileDialog& m_fileDialog;
    FileSystem& m_fs;
    JoinPolicy m_policy;
    WorkRunner m_work;
    mdlMain m_engine;
    std::string m_destination;
    // Whether the destination was there when the join started: a cancel leaves it as it was.
    bool m_destinationExisted = false;
};

} // namespace carvel
