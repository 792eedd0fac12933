#include "Win32Frame.h"

#include "WideText.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

namespace carvel::win32 {

namespace {

const wchar_t* const kFrameClass = L"CarvelFrame";
const wchar_t* const kPanelClass = L"CarvelPanel";
constexpr int kClientWidthTwips = 7155;
constexpr int kClientHeightTwips = 4500;
constexpr int kToolbarTwips = 540;
constexpr int kPanelLeftTwips = 120;
constexpr int kPanelTopTwips = 840;
constexpr int kPanelWidthTwips = 6855;
constexpr int kPanelHeightTwips = 2655;
constexpr UINT_PTR kClockTimer = 1;

void registerClasses() {
    static const bool registered = [] {
        WNDCLASSEXW frame{};
        frame.cbSize = sizeof(frame);
        frame.lpfnWndProc = DefWindowProcW;
        frame.hInstance = GetModuleHandleW(nullptr);
        frame.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        frame.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        frame.lpszClassName = kFrameClass;
        RegisterClassExW(&frame);
        WNDCLASSEXW panel = frame;
        panel.lpszClassName = kPanelClass;
        RegisterClassExW(&panel);
        return true;
    }();
    (void)registered;
}

bool isPushButton(HWND control) {
    wchar_t name[16] = L"";
    GetClassNameW(control, name, 16);
    if (lstrcmpiW(name, WC_BUTTONW) != 0)
        return false;
    const LONG_PTR kind = GetWindowLongPtrW(control, GWL_STYLE) & BS_TYPEMASK;
    return kind == BS_PUSHBUTTON || kind == BS_DEFPUSHBUTTON;
}

} // namespace

Win32Frame::Win32Frame(const std::string& caption) {
    registerClasses();
    // Fixed: a caption with the system menu and the close box, no sizing, no minimize or
    // maximize box.
    m_window = CreateWindowExW(WS_EX_CONTROLPARENT, kFrameClass, toWide(caption).c_str(),
                               WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN,
                               CW_USEDEFAULT, CW_USEDEFAULT, 100, 100, nullptr, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Frame::windowProc));
    m_scale = Scale(GetDpiForWindow(m_window));
    m_font = makeFont(L"Tahoma", 8.25, m_scale);
    m_status = std::make_unique<Win32StatusBar>(m_window, m_scale, m_font);
    SetTimer(m_window, kClockTimer, 1000, nullptr);
}

Win32Frame::~Win32Frame() {
    destroy();
    DeleteObject(m_font);
}

void Win32Frame::setIcon(HICON icon) {
    SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Win32Frame::setMenu(HMENU menu) {
    SetMenu(m_window, menu);
}

void Win32Frame::buildToolbar(const std::vector<ToolbarButton>& buttons, HIMAGELIST images) {
    m_toolbar = CreateWindowExW(0, TOOLBARCLASSNAMEW, L"tbMenu",
                                WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NORESIZE |
                                    CCS_NOPARENTALIGN | CCS_NODIVIDER,
                                0, 0, 0, 0, m_window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_toolbar, WM_SETFONT, reinterpret_cast<WPARAM>(m_font), FALSE);
    SendMessageW(m_toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    if (images != nullptr)
        SendMessageW(m_toolbar, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images));
    else
        SendMessageW(m_toolbar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    std::vector<std::wstring> texts;
    texts.reserve(buttons.size());
    std::vector<TBBUTTON> items;
    for (const ToolbarButton& button : buttons) {
        texts.push_back(toWide(button.key));
        TBBUTTON item{};
        item.iBitmap = images != nullptr && button.image >= 0 ? button.image : I_IMAGENONE;
        item.idCommand = button.id;
        item.fsState = TBSTATE_ENABLED;
        item.fsStyle = BTNS_BUTTON;
        item.iString = reinterpret_cast<INT_PTR>(texts.back().c_str());
        items.push_back(item);
        m_buttonIds.push_back(button.id);
    }
    SendMessageW(m_toolbar, TB_ADDBUTTONSW, items.size(), reinterpret_cast<LPARAM>(items.data()));
    // Every button 64 x 30 pixels at 96 DPI, its image with its caption to the right; wider,
    // all alike, where the font at hand needs more room for the longest caption.
    int width = m_scale.design(64);
    HDC dc = GetDC(m_toolbar);
    HGDIOBJ old = SelectObject(dc, m_font);
    for (const std::wstring& text : texts) {
        SIZE size{};
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
        width = std::max(width, static_cast<int>(size.cx) + m_scale.design(24 + 16));
    }
    SelectObject(dc, old);
    ReleaseDC(m_toolbar, dc);
    SendMessageW(m_toolbar, TB_SETBUTTONWIDTH, 0, MAKELPARAM(width, width));
    SendMessageW(m_toolbar, TB_SETBUTTONSIZE, 0, MAKELPARAM(width, m_scale.design(30)));
    MoveWindow(m_toolbar, 0, 0, m_scale.px(kClientWidthTwips), m_scale.px(kToolbarTwips), FALSE);
}

HWND Win32Frame::makePanel(const std::string& caption, const char* name) {
    HWND panel = CreateWindowExW(
        WS_EX_CONTROLPARENT, kPanelClass, toWide(name).c_str(), WS_CHILD | WS_CLIPSIBLINGS,
        m_scale.px(kPanelLeftTwips), m_scale.px(kPanelTopTwips), m_scale.px(kPanelWidthTwips),
        m_scale.px(kPanelHeightTwips), m_window, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(panel, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32Frame::panelProc));
    makeControl(panel, WC_BUTTONW, caption, BS_GROUPBOX,
                {0, 0, kPanelWidthTwips, kPanelHeightTwips}, -1, m_scale, m_font);
    return panel;
}

void Win32Frame::setCaption(const std::string& caption) {
    SetWindowTextW(m_window, toWide(caption).c_str());
}

void Win32Frame::enableCommand(int index, int menuId, bool enabled) {
    SendMessageW(m_toolbar, TB_ENABLEBUTTON, static_cast<WPARAM>(m_buttonIds.at(index - 1)),
                 MAKELPARAM(enabled ? TRUE : FALSE, 0));
    EnableMenuItem(GetMenu(m_window), static_cast<UINT>(menuId),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void Win32Frame::onCommand(int id, std::function<void(int)> handler) {
    m_commands[id] = std::move(handler);
}

void Win32Frame::onClick(int id, std::function<void()> handler) {
    onCommand(id, [handler = std::move(handler)](int code) {
        if (code == BN_CLICKED)
            handler();
    });
}

void Win32Frame::onDrop(std::function<void(const std::vector<std::string>&, POINT)> handler) {
    m_drop = std::move(handler);
    DragAcceptFiles(m_window, TRUE);
}

void Win32Frame::setGuard(std::function<void(const std::function<void()>&)> guard) {
    m_guard = std::move(guard);
}

void Win32Frame::guarded(const std::function<void()>& command) {
    if (m_guard) {
        m_guard(command);
        return;
    }
    try {
        command();
    } catch (...) {
        // Nothing may leave a command for the message loop.
    }
}

void Win32Frame::setBusy(bool busy) {
    m_busy = busy;
    POINT at{};
    GetCursorPos(&at);
    HWND under = WindowFromPoint(at);
    if (under == m_window || IsChild(m_window, under))
        SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

void Win32Frame::show() {
    RECT frame{0, 0, m_scale.px(kClientWidthTwips), m_scale.px(kClientHeightTwips)};
    const DWORD style = static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_STYLE));
    const DWORD exStyle = static_cast<DWORD>(GetWindowLongPtrW(m_window, GWL_EXSTYLE));
    AdjustWindowRectExForDpi(&frame, style, GetMenu(m_window) != nullptr, exStyle,
                             static_cast<UINT>(m_scale.dpi()));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    // Centred on the screen's work area.
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(m_window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    RECT client{};
    GetClientRect(m_window, &client);
    m_status->place(client.right, client.bottom);
    ShowWindow(m_window, SW_SHOW);
    UpdateWindow(m_window);
}

void Win32Frame::destroy() {
    if (m_window != nullptr && IsWindow(m_window))
        DestroyWindow(m_window);
    m_window = nullptr;
}

bool Win32Frame::dialogKeys(MSG& message) {
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    if (root == nullptr)
        return false;
    wchar_t name[32] = L"";
    GetClassNameW(root, name, 32);
    if (lstrcmpW(name, kFrameClass) != 0 && lstrcmpW(name, L"CarvelAbout") != 0)
        return false;
    return IsDialogMessageW(root, &message) != FALSE;
}

LRESULT CALLBACK Win32Frame::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* frame = reinterpret_cast<Win32Frame*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (frame == nullptr || frame->m_window != window)
        return DefWindowProcW(window, message, wParam, lParam);
    return frame->handle(message, wParam, lParam);
}

LRESULT CALLBACK Win32Frame::panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // A panel's controls report to the window, which knows them by their identifiers.
    if (message == WM_COMMAND || message == WM_NOTIFY)
        return SendMessageW(GetAncestor(window, GA_ROOT), message, wParam, lParam);
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT Win32Frame::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        if (id == IDCANCEL) {
            if (m_escape)
                guarded(m_escape);
            return 0;
        }
        if (id == IDOK) {
            // Return and Enter press the button that has the focus, and nothing else.
            HWND focus = GetFocus();
            if (focus != nullptr && IsChild(m_window, focus) && isPushButton(focus))
                SendMessageW(focus, BM_CLICK, 0, 0);
            return 0;
        }
        const auto found = m_commands.find(id);
        if (found != m_commands.end()) {
            const auto handler = found->second;
            guarded([&] { handler(code); });
        }
        return 0;
    }
    case WM_ACTIVATE:
        // Coming back to the window, the keys go where they went before it was left.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            m_lastFocus = focus != nullptr && IsChild(m_window, focus) ? focus : nullptr;
        } else if (m_lastFocus != nullptr && IsWindow(m_lastFocus) &&
                   IsWindowEnabled(m_lastFocus) && IsWindowVisible(m_lastFocus)) {
            SetFocus(m_lastFocus);
            return 0;
        }
        break;
    case WM_TIMER:
        if (wParam == kClockTimer)
            m_status->tick();
        return 0;
    case WM_DRAWITEM:
        if (m_status->drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)))
            return TRUE;
        break;
    case WM_SETCURSOR:
        // Over the window's own area only: its frame keeps its sizing and moving pointers.
        if (m_busy && LOWORD(lParam) == HTCLIENT) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_DROPFILES:
        dropped(reinterpret_cast<HDROP>(wParam));
        return 0;
    case WM_CLOSE:
        if (m_close)
            guarded(m_close);
        else
            destroy();
        return 0;
    case WM_ENDSESSION:
        if (wParam != FALSE)
            sessionEnds();
        return 0;
    case WM_DESTROY:
        KillTimer(m_window, kClockTimer);
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

void Win32Frame::dropped(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const UINT length = DragQueryFileW(drop, index, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, index, path.data(), length + 1);
        path.resize(length);
        paths.push_back(toUtf8(path));
    }
    POINT where{};
    DragQueryPoint(drop, &where);
    DragFinish(drop);
    ClientToScreen(m_window, &where);
    if (m_drop)
        guarded([&] { m_drop(paths, where); });
}

void Win32Frame::sessionEnds() {
    if (!m_endSession)
        return;
    guarded(m_endSession);
    // The program ends when this returns: until then the window's messages run, so that the
    // work can stop and the window close.
    const ULONGLONG until = GetTickCount64() + 4000;
    MSG message;
    while (m_window != nullptr && IsWindow(m_window) && GetTickCount64() < until) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            continue;
        }
        if (message.message == WM_QUIT)
            break;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

bool Win32Frame::isOver(HWND control, POINT screen) {
    RECT place{};
    return IsWindowVisible(control) && GetWindowRect(control, &place) && PtInRect(&place, screen);
}

} // namespace carvel::win32
