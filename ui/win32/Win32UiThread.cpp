#include "Win32UiThread.h"

namespace carvel::win32 {

namespace {

const wchar_t* const kClass = L"CarvelUiThread";
constexpr UINT kRunCall = WM_APP + 1;

// A timer of the thread's window, known to the window by its address.
class Timer final : public IUiTimer {
public:
    Timer(HWND window, int milliseconds, std::function<void()> tick)
        : m_window(window), m_milliseconds(static_cast<UINT>(milliseconds)),
          m_tick(std::move(tick)) {}
    ~Timer() override { stop(); }
    void start() override {
        SetTimer(m_window, reinterpret_cast<UINT_PTR>(this), m_milliseconds, &Timer::ticked);
    }
    void stop() override { KillTimer(m_window, reinterpret_cast<UINT_PTR>(this)); }

private:
    static void CALLBACK ticked(HWND, UINT, UINT_PTR id, DWORD) {
        // A copy: the tick may stop and destroy its own timer.
        const auto tick = reinterpret_cast<Timer*>(id)->m_tick;
        tick();
    }

    HWND m_window;
    UINT m_milliseconds;
    std::function<void()> m_tick;
};

} // namespace

Win32UiThread::Win32UiThread() : m_thread(GetCurrentThreadId()) {
    static const bool registered = [] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof(type);
        type.lpfnWndProc = &Win32UiThread::windowProc;
        type.hInstance = GetModuleHandleW(nullptr);
        type.lpszClassName = kClass;
        return RegisterClassExW(&type) != 0;
    }();
    (void)registered;
    // A message-only window: never shown, it only receives.
    m_window = CreateWindowExW(0, kClass, nullptr, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
}

Win32UiThread::~Win32UiThread() {
    // Calls still queued are destroyed unrun.
    MSG message;
    while (PeekMessageW(&message, m_window, kRunCall, kRunCall, PM_REMOVE))
        delete reinterpret_cast<std::function<void()>*>(message.lParam);
    DestroyWindow(m_window);
}

void Win32UiThread::post(std::function<void()> call) {
    auto held = std::make_unique<std::function<void()>>(std::move(call));
    if (PostMessageW(m_window, kRunCall, 0, reinterpret_cast<LPARAM>(held.get())))
        held.release();
}

bool Win32UiThread::isUiThread() const {
    return GetCurrentThreadId() == m_thread;
}

std::unique_ptr<IUiTimer> Win32UiThread::makeTimer(int milliseconds, std::function<void()> tick) {
    return std::make_unique<Timer>(m_window, milliseconds, std::move(tick));
}

LRESULT CALLBACK Win32UiThread::windowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == kRunCall) {
        const std::unique_ptr<std::function<void()>> call(
            reinterpret_cast<std::function<void()>*>(lParam));
        if (*call)
            (*call)();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace carvel::win32
