#pragma once

#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "flow/ISplitView.h"
#include "flow/IUiThread.h"
#include "flow/NumberFormat.h"
#include "flow/WorkRunner.h"
#include "mdlMain.h"

#include <cstdint>
#include <string>

namespace carvel {

// What the split panel decides, for every front end: the size shown for the source, the unit,
// the checks before a split, the split on a worker thread with Start reading Cancel, and the
// outcome. The front end's view forwards its events to the handlers named after the controls.
class SplitFlow final {
public:
    SplitFlow(ISplitView& view, IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
              IUiThread& uiThread, std::string programTitle, NumberFormat numberFormat);
    // Stops a split still running and waits for it.
    ~SplitFlow();
    SplitFlow(const SplitFlow&) = delete;
    SplitFlow& operator=(const SplitFlow&) = delete;

    void cmdSelectSplitFile_Click();
    // Every change of the source text, typed, chosen, dropped or given on the command line.
    void txtSplitSourceFile_Change();
    // A unit chosen: 0 kilobytes, 1 megabytes; selects its option button too.
    void optSizeMode_Click(int index);
    bool CheckSplitInput();
    // Starts the split on the worker thread after the checks; while it runs, Start reads Cancel
    // and stops it.
    void cmdSplit_Click();
    // A file dropped on the window in split mode: it becomes the source.
    void dropSplitSource(const std::string& path);
    // Enables Start, as entering split mode does.
    void enableStart();

    bool isWorking() const { return m_work.isRunning(); }
    WorkRunner& work() { return m_work; }

    std::int16_t SizeMode = 0;
    double PieceSizeBytes = 0;
    std::string SplitFolder;
    std::string SplitSourcePath;

private:
    void report(const std::string& text, const std::string& caption, MsgIcon icon);
    void splitEnded(std::int16_t count);
    void showWorking(bool working);

    ISplitView& m_view;
    IMessageBox& m_messageBox;
    IFileDialog& m_fileDialog;
    FileSystem& m_fs;
    std::string m_title;
    NumberFormat m_numberFormat;
    WorkRunner m_work;
    mdlMain m_engine;
};

} // namespace carvel
