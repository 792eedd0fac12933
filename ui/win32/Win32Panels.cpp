#include "Win32Panels.h"

#include <commctrl.h>

namespace carvel::win32 {

namespace {

constexpr DWORD kTextBox = WS_TABSTOP | WS_GROUP | ES_AUTOHSCROLL;
constexpr DWORD kPictureButton = WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON | BS_ICON;

HWND textBox(HWND panel, Twips place, int id, const Win32Frame& frame) {
    return makeControl(panel, WC_EDITW, "", kTextBox, place, id, frame.scale(), frame.font(),
                       WS_EX_CLIENTEDGE);
}

HWND label(HWND panel, const char* caption, Twips place, const Win32Frame& frame, int id = -1) {
    HWND control = makeControl(panel, WC_STATICW, caption, SS_LEFT | SS_NOPREFIX, place, id,
                               frame.scale(), frame.font());
    growToText(control, frame.font());
    return control;
}

HWND pictureButton(HWND panel, const char* toolTip, Twips place, int id, const Win32Frame& frame,
                   HICON picture) {
    HWND button =
        makeControl(panel, WC_BUTTONW, "", kPictureButton, place, id, frame.scale(), frame.font());
    if (picture != nullptr)
        SendMessageW(button, BM_SETIMAGE, IMAGE_ICON, reinterpret_cast<LPARAM>(picture));
    else
        SetWindowTextW(button, L"...");
    addToolTip(button, toolTip);
    return button;
}

HIMAGELIST pictureList(HICON picture, const Scale& scale) {
    if (picture == nullptr)
        return nullptr;
    const int side = scale.design(24);
    HIMAGELIST list = ImageList_Create(side, side, ILC_COLOR32 | ILC_MASK, 1, 0);
    ImageList_AddIcon(list, picture);
    return list;
}

} // namespace

StartButton::StartButton(HWND panel, int id, const Win32Frame& frame, const PanelArt& art) {
    m_button = makeControl(panel, WC_BUTTONW, "Start",
                           WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON | BS_MULTILINE,
                           {5760, 1680, 735, 615}, id, frame.scale(), frame.font());
    m_start = pictureList(art.start, frame.scale());
    m_stop = pictureList(art.stop, frame.scale());
    showAsCancel(false);
}

StartButton::~StartButton() {
    if (m_start != nullptr)
        ImageList_Destroy(m_start);
    if (m_stop != nullptr)
        ImageList_Destroy(m_stop);
}

void StartButton::showAsCancel(bool cancel) {
    SetWindowTextW(m_button, cancel ? L"Cancel" : L"Start");
    HIMAGELIST pictures = cancel ? m_stop : m_start;
    if (pictures == nullptr)
        return;
    // The picture above the caption.
    BUTTON_IMAGELIST image{pictures, {1, 1, 1, 1}, BUTTON_IMAGELIST_ALIGN_TOP};
    SendMessageW(m_button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
    InvalidateRect(m_button, nullptr, TRUE);
}

// The controls are made in their tab order, each label just before its box.
SplitControls::SplitControls(Win32Frame& frame, const PanelArt& art)
    : SplitDialog(frame.makePanel("Split File", "SplitDialog")),
      txtSplitSourceFile(
          (label(SplitDialog, "Source File Name", {240, 360, 1500, 195}, frame),
           textBox(SplitDialog, {240, 600, 2895, 375}, IdTxtSplitSourceFile, frame))),
      cmdSelectSplitFile(pictureButton(SplitDialog, "Select file to split", {3240, 600, 375, 375},
                                       IdCmdSelectSplitFile, frame, art.selectFile)),
      filesize(label(SplitDialog, "", {3720, 660, 2055, 255}, frame, IdFilesize)),
      txtMaxChunkSize((label(SplitDialog, "Destination File Size", {240, 1200, 1800, 195}, frame),
                       textBox(SplitDialog, {240, 1440, 1575, 375}, IdTxtMaxChunkSize, frame))),
      Frame3(makeControl(SplitDialog, WC_BUTTONW, "Chunk Size Mode", BS_GROUPBOX,
                         {2040, 1200, 2055, 735}, -1, frame.scale(), frame.font())),
      optSizeMode{makeControl(SplitDialog, WC_BUTTONW, "KB",
                              BS_AUTORADIOBUTTON | WS_TABSTOP | WS_GROUP,
                              {2040 + 180, 1200 + 300, 810, 315}, IdOptSizeModeKB, frame.scale(),
                              frame.font()),
                  makeControl(SplitDialog, WC_BUTTONW, "MB", BS_AUTORADIOBUTTON,
                              {2040 + 180 + 900, 1200 + 300, 810, 315}, IdOptSizeModeMB,
                              frame.scale(), frame.font())},
      cmdSplit(SplitDialog, IdCmdSplit, frame, art) {}

JoinControls::JoinControls(Win32Frame& frame, const PanelArt& art)
    : JoinDialog(frame.makePanel("Join Files", "JoinDialog")),
      txtJoinSourceFile((label(JoinDialog, "Source File Name", {240, 360, 1260, 195}, frame),
                         textBox(JoinDialog, {240, 600, 2895, 375}, IdTxtJoinSourceFile, frame))),
      cmdSelectJoinFile(pictureButton(JoinDialog, "Select file to join", {3240, 600, 375, 375},
                                      IdCmdSelectJoinFile, frame, art.selectFile)),
      txtJoinDestination(
          (label(JoinDialog, "Destination File Name", {240, 1200, 1545, 195}, frame),
           textBox(JoinDialog, {240, 1440, 2895, 375}, IdTxtJoinDestination, frame))),
      cmdSelectJoinTarget(pictureButton(JoinDialog, "Select file to join", {3240, 1440, 375, 375},
                                        IdCmdSelectJoinTarget, frame, art.selectFile)),
      cmdJoin(JoinDialog, IdCmdJoin, frame, art) {}

} // namespace carvel::win32
