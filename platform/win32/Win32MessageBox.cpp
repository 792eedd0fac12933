#include "Win32MessageBox.h"

#include "WideText.h"

#include <atomic>
#include <string_view>

#include <windows.h>

namespace carvel {

namespace {

// The buttons of each set in the order MessageBoxW shows them, for MB_DEFBUTTONn.
int positionOf(MsgAnswer answer, MsgButtons buttons) {
    switch (buttons) {
    case MsgButtons::Ok:
        return 0;
    case MsgButtons::YesNoCancel:
        return answer == MsgAnswer::No ? 1 : answer == MsgAnswer::Cancel ? 2 : 0;
    case MsgButtons::YesNo:
        return answer == MsgAnswer::No ? 1 : 0;
    case MsgButtons::RetryCancel:
        return answer == MsgAnswer::Cancel ? 1 : 0;
    }
    return 0;
}

MsgAnswer closedAnswer(MsgButtons buttons) {
    return buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
}

// The box MessageBoxW makes, found as it comes up, so that a withdrawal can close it: pressing
// the box's own way out ends it from any thread (Cancel where it has one, else OK or No).
struct OpenBox {
    Withdrawal* withdrawal = nullptr;
    int wayOut = IDCANCEL;
    std::atomic<HWND> window{nullptr};

    void close() const {
        if (HWND box = window.load())
            ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(wayOut, BN_CLICKED), 0);
    }
};

thread_local OpenBox* t_opening = nullptr;

// The box is the first dialog (window class "#32770") that comes up on the thread.
bool isDialog(HWND window) {
    wchar_t name[16] = {};
    return ::GetClassNameW(window, name, 16) > 0 && std::wstring_view(name) == L"#32770";
}

LRESULT CALLBACK watchForBox(int code, WPARAM wParam, LPARAM lParam) {
    const HWND activated = reinterpret_cast<HWND>(wParam);
    if (code == HCBT_ACTIVATE && t_opening != nullptr && t_opening->window.load() == nullptr &&
        isDialog(activated)) {
        t_opening->window = activated;
        // Withdrawn before the box was up: it goes at once.
        if (t_opening->withdrawal->withdrawn())
            t_opening->close();
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

unsigned messageBoxStyle(const MessageRequest& request) {
    unsigned style = 0;
    switch (request.buttons) {
    case MsgButtons::Ok:
        style = MB_OK;
        break;
    case MsgButtons::YesNoCancel:
        style = MB_YESNOCANCEL;
        break;
    case MsgButtons::RetryCancel:
        style = MB_RETRYCANCEL;
        break;
    case MsgButtons::YesNo:
        style = MB_YESNO;
        break;
    }
    if (request.icon == MsgIcon::Critical)
        style |= MB_ICONERROR;
    else if (request.icon == MsgIcon::Information)
        style |= MB_ICONINFORMATION;
    constexpr unsigned kDefaults[] = {MB_DEFBUTTON1, MB_DEFBUTTON2, MB_DEFBUTTON3};
    style |= kDefaults[positionOf(request.defaultButton, request.buttons)];
    if (request.owner == nullptr)
        style |= MB_TASKMODAL;
    return style;
}

MsgAnswer messageBoxAnswer(int result, MsgButtons buttons) {
    switch (result) {
    case IDOK:
        return MsgAnswer::Ok;
    case IDYES:
        return MsgAnswer::Yes;
    case IDNO:
        return MsgAnswer::No;
    case IDRETRY:
        return MsgAnswer::Retry;
    case IDCANCEL:
        return MsgAnswer::Cancel;
    default:
        return closedAnswer(buttons);
    }
}

MsgAnswer Win32MessageBox::show(const MessageRequest& request) {
    const MsgAnswer closed = closedAnswer(request.buttons);
    if (request.withdrawal != nullptr && request.withdrawal->withdrawn())
        return closed;
    HWND owner = static_cast<HWND>(request.owner);
    if (owner != nullptr && !::IsWindowVisible(owner))
        owner = nullptr;
    MessageRequest shown = request;
    shown.owner = owner;

    OpenBox box;
    HHOOK hook = nullptr;
    if (request.withdrawal != nullptr) {
        box.withdrawal = request.withdrawal;
        box.wayOut = request.buttons == MsgButtons::Ok      ? IDOK
                     : request.buttons == MsgButtons::YesNo ? IDNO
                                                            : IDCANCEL;
        t_opening = &box;
        hook = ::SetWindowsHookExW(WH_CBT, watchForBox, nullptr, ::GetCurrentThreadId());
        request.withdrawal->whileOpen([&box] { box.close(); });
    }
    const int result = ::MessageBoxW(owner, toWide(request.text).c_str(),
                                     toWide(request.caption).c_str(), messageBoxStyle(shown));
    if (request.withdrawal != nullptr) {
        request.withdrawal->whileOpen({});
        if (hook != nullptr)
            ::UnhookWindowsHookEx(hook);
        t_opening = nullptr;
        if (request.withdrawal->withdrawn())
            return closed;
    }
    return messageBoxAnswer(result, request.buttons);
}

} // namespace carvel
