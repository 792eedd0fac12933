#pragma once

#include "IMessageBox.h"
#include "flow/IUiThread.h"

#include <functional>
#include <memory>

namespace carvel {

// The engine's message boxes while it works on a worker thread: each is shown by the window's
// thread, modal as ever, and the worker waits for the answer. Asked on the window's thread, a
// box is simply shown.
class UiThreadMessageBox final : public IMessageBox {
public:
    // Made on the window's thread; shown passes the boxes on to the platform's message box.
    // asking, if given, is told on the window's thread when a box a worker waits for opens
    // (true) and when it has been answered (false).
    UiThreadMessageBox(IMessageBox& shown, IUiThread& uiThread,
                       std::function<void(bool)> asking = {});
    ~UiThreadMessageBox() override;
    UiThreadMessageBox(const UiThreadMessageBox&) = delete;
    UiThreadMessageBox& operator=(const UiThreadMessageBox&) = delete;

    MsgAnswer show(const MessageRequest& request) override;

    // From now on no box is shown: a worker that waits for one, or asks later, gets the box's
    // default button. Called on the window's thread before it waits for the worker to end, so
    // that neither waits for the other.
    void close();

private:
    struct Shared;
    IUiThread& m_uiThread;
    // Shared with the calls posted to the window's thread, which may outlive this object.
    std::shared_ptr<Shared> m_shared;
};

} // namespace carvel
