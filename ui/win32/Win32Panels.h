#pragma once

#include "Win32Frame.h"

#include <windows.h>

#include <commctrl.h>

#include <string>

namespace carvel::win32 {

// The identifiers of the panels' controls, unique in the window.
enum ControlId : int {
    IdTxtSplitSourceFile = 1001,
    IdCmdSelectSplitFile,
    IdFilesize,
    IdTxtMaxChunkSize,
    IdOptSizeModeKB,
    IdOptSizeModeMB,
    IdCmdSplit,
    IdTxtJoinSourceFile = 1101,
    IdCmdSelectJoinFile,
    IdTxtJoinDestination,
    IdCmdSelectJoinTarget,
    IdCmdJoin,
};

// The pictures of the panels' buttons; any may be null.
struct PanelArt {
    HICON selectFile = nullptr;
    HICON start = nullptr;
    HICON stop = nullptr;
};

// A Start button: its picture above its caption; while work runs it reads Cancel, with a stop
// picture.
class StartButton {
public:
    StartButton(HWND panel, int id, const Win32Frame& frame, const PanelArt& art);
    ~StartButton();
    StartButton(const StartButton&) = delete;
    StartButton& operator=(const StartButton&) = delete;
    HWND hwnd() const { return m_button; }
    void showAsCancel(bool cancel);

private:
    HWND m_button;
    HIMAGELIST m_start = nullptr;
    HIMAGELIST m_stop = nullptr;
};

// The split panel, frame "SplitDialog", as Windows controls laid out in twips.
struct SplitControls {
    SplitControls(Win32Frame& frame, const PanelArt& art);

    HWND SplitDialog;
    HWND txtSplitSourceFile;
    HWND cmdSelectSplitFile;
    HWND filesize;
    HWND txtMaxChunkSize;
    HWND Frame3;
    HWND optSizeMode[2];
    StartButton cmdSplit;
};

// The join panel, frame "JoinDialog", as Windows controls laid out in twips.
struct JoinControls {
    JoinControls(Win32Frame& frame, const PanelArt& art);

    HWND JoinDialog;
    HWND txtJoinSourceFile;
    HWND cmdSelectJoinFile;
    HWND txtJoinDestination;
    HWND cmdSelectJoinTarget;
    StartButton cmdJoin;
};

} // namespace carvel::win32
