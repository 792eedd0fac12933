#pragma once

#include "flow/IUiThread.h"

class QObject;

namespace carvel {

// The window's thread for the flows, over Qt's queued calls and QTimer. Made on the window's
// thread; calls posted and not yet run when it goes are dropped unrun.
class QtUiThread final : public IUiThread {
public:
    QtUiThread();
    ~QtUiThread() override;
    QtUiThread(const QtUiThread&) = delete;
    QtUiThread& operator=(const QtUiThread&) = delete;

    void post(std::function<void()> call) override;
    bool isUiThread() const override;
    std::unique_ptr<IUiTimer> makeTimer(int milliseconds, std::function<void()> tick) override;

private:
    // Lives on the window's thread; the posted calls are queued to it.
    QObject* m_context;
};

} // namespace carvel
