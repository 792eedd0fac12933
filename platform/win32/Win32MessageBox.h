#pragma once

#include "IMessageBox.h"

namespace carvel {

// The MB_ style of MessageBoxW for a request: its buttons, its icon and which button is the
// default; a box without an owner window is modal to all of the thread's windows.
unsigned messageBoxStyle(const MessageRequest& request);
// The answer for what MessageBoxW returned (IDOK, IDYES, ...); a box closed without a button
// of its own answers as the Qt one does: OK for a box with OK alone, else Cancel.
MsgAnswer messageBoxAnswer(int result, MsgButtons buttons);

// The platform's message box, MessageBoxW. The owner of a request is the owning window's HWND;
// one not shown (yet) gives no owner, so the box is centred on the screen.
class Win32MessageBox final : public IMessageBox {
public:
    MsgAnswer show(const MessageRequest& request) override;
};

} // namespace carvel
