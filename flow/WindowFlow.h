#pragma once

#include "FileSystem.h"
#include "IMessageBox.h"
#include "flow/IUiThread.h"
#include "flow/IWindowView.h"
#include "flow/NumberFormat.h"
#include "flow/WorkRunner.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace carvel {

class JoinFlow;
class SplitFlow;

// What the windows of Carvel and Seamer decide alike: the progress of their panels' work in the
// status bar, Esc stopping it, the question before the window closes while it runs, the stop on
// a signal, files dropped on the window, the toolbar's flag string, and no exception ever
// leaving a command. CarvelFlow and SeamerFlow add each window's own commands.
class WindowFlow : public IWorkWatcher {
public:
    ~WindowFlow() override;
    WindowFlow(const WindowFlow&) = delete;
    WindowFlow& operator=(const WindowFlow&) = delete;

    // True while a split or join runs in the window.
    bool isWorking() const;
    // Esc while work runs: it stops at its next copy step.
    void escape();
    // For the close box (and every other way the window closes): true when it may close now.
    // While work runs it asks whether to stop it; on Yes the work stops and the window closes
    // once it has (IWindowView::close), with no outcome message.
    bool mayClose();
    // What a signal to end the program does: running work stops at its next copy step, and the
    // program ends once it has stopped, with no message; an idle program ends at once.
    void stopAndQuit();
    bool quitting() const { return m_quitAfterWork; }
    // Files dropped on the window, as UTF-8 paths; onDestinationBox when they were dropped on
    // the join panel's destination box. One file at a time, no folder; in split mode it becomes
    // the source, in join mode it goes through the choosers' checks. Nothing is taken while
    // work runs (takesDrops tells the front end whether to accept the drag at all).
    void filesDropped(const std::vector<std::string>& paths, bool onDestinationBox);
    bool takesDrops() const { return !isWorking(); }

    // Runs a command so that no exception leaves it: its description shows in a box captioned
    // with the program's title.
    void guarded(const std::function<void()>& command);

    void workStarted(WorkRunner& work) override;
    void workProgressed(WorkRunner& work, const WorkProgress& progress) override;
    void workEnded(WorkRunner& work) override;

protected:
    // split is none for Seamer's window, which has no split side.
    WindowFlow(IWindowView& view, IMessageBox& messageBox, IUiThread& uiThread, FileSystem& fs,
               std::string programTitle, NumberFormat numberFormat, SplitFlow* split,
               JoinFlow& join);

    // Enables toolbar button i and its menu entry, for i = 1 to count, when flags holds a
    // lower-case "t" at position i; every other character and a missing position disable.
    void applyFlags(const std::string& flags, int count);
    // Told when a run starts and ends, after the status bar.
    virtual void workChanged(bool running) { (void)running; }
    // Whether the split panel is the one shown.
    virtual bool splitShown() const { return false; }
    void refuseDrop(const std::string& text);

    IWindowView& m_view;
    IMessageBox& m_messageBox;
    IUiThread& m_uiThread;
    FileSystem& m_fs;
    std::string m_title;
    NumberFormat m_numberFormat;
    SplitFlow* m_split;
    JoinFlow& m_join;

private:
    std::vector<WorkRunner*> works() const;

    // The close question while it is open.
    Withdrawal* m_closeQuestion = nullptr;
    bool m_closeAfterWork = false;
    bool m_quitAfterWork = false;
    // Calls posted to the window's thread run only while this object lives.
    std::shared_ptr<WindowFlow*> m_alive;
};

} // namespace carvel
