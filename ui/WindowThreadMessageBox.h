#pragma once

#include "IMessageBox.h"

#include <functional>
#include <mutex>

class QObject;

namespace carvel {

// The engine's message boxes while it works on a worker thread: each is shown by the window's
// thread, modal as ever, and the worker waits for the answer. Asked on the window's thread, a
// box is simply shown.
class WindowThreadMessageBox final : public IMessageBox {
public:
    // Made on the window's thread; shown passes the boxes on to the platform's message box.
    // asking, if given, is told on the window's thread when a box a worker waits for opens
    // (true) and when it has been answered (false).
    explicit WindowThreadMessageBox(IMessageBox& shown, std::function<void(bool)> asking = {});
    ~WindowThreadMessageBox() override;
    WindowThreadMessageBox(const WindowThreadMessageBox&) = delete;
    WindowThreadMessageBox& operator=(const WindowThreadMessageBox&) = delete;

    MsgAnswer show(const MessageRequest& request) override;

    // From now on no box is shown: a worker that waits for one, or asks later, gets the box's
    // default button. Called on the window's thread before it waits for the worker to end, so
    // that neither waits for the other.
    void close();

private:
    IMessageBox& m_shown;
    std::function<void(bool)> m_asking;
    std::mutex m_mutex;
    // Lives on the window's thread; the boxes asked for are calls queued to it, and deleting it
    // drops those not yet shown.
    QObject* m_context;
};

} // namespace carvel
