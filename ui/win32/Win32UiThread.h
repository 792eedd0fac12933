#pragma once

#include "flow/IUiThread.h"

#include <windows.h>

#include <functional>
#include <memory>

namespace carvel::win32 {

// The way back to the window thread: calls posted from any thread as messages to a window of
// its own, and timers of that window. Made on the window thread, which runs a message loop.
class Win32UiThread final : public IUiThread {
public:
    Win32UiThread();
    ~Win32UiThread() override;
    Win32UiThread(const Win32UiThread&) = delete;
    Win32UiThread& operator=(const Win32UiThread&) = delete;

    void post(std::function<void()> call) override;
    bool isUiThread() const override;
    std::unique_ptr<IUiTimer> makeTimer(int milliseconds, std::function<void()> tick) override;

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_window;
    DWORD m_thread;
};

} // namespace carvel::win32
