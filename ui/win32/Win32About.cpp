#include "Win32About.h"

#include "AboutTexts.h"
#include "ProgramFolder.h"
#include "WideText.h"

#include <commctrl.h>
#include <windowsx.h>

#include <string>

namespace carvel::win32 {

namespace {

const wchar_t* const kClass = L"CarvelAbout";
constexpr int kImage1 = 10;
constexpr int kProductNameId = 11;
constexpr int kLink = 12;
enum Font { Dialog, Product, Mark, Maker, MakerItalic, LinkHot };

} // namespace

Win32About::Win32About(IShellExecute& shell, IMessageBox& messages, Program program, AboutArt art)
    : m_shell(shell), m_messages(messages), m_program(program), m_art(art) {}

Win32About::~Win32About() {
    if (m_window != nullptr && IsWindow(m_window))
        DestroyWindow(m_window);
    for (HFONT font : m_fonts)
        if (font != nullptr)
            DeleteObject(font);
}

std::string Win32About::documentationAddress() {
    return programFolder() + "\\" + AboutTexts::kGuideName;
}

void Win32About::showModal(HWND owner) {
    static const bool registered = [] {
        WNDCLASSEXW type{};
        type.cbSize = sizeof(type);
        type.lpfnWndProc = DefWindowProcW;
        type.hInstance = GetModuleHandleW(nullptr);
        type.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        type.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        type.lpszClassName = kClass;
        return RegisterClassExW(&type) != 0;
    }();
    (void)registered;
    // A fixed dialog border: a caption and a close box, nothing to minimize or maximize.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
    m_window = CreateWindowExW(exStyle, kClass, L"About", style, 0, 0, 100, 100, owner, nullptr,
                               GetModuleHandleW(nullptr), nullptr);
    SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrW(m_window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Win32About::windowProc));
    m_scale = Scale(GetDpiForWindow(m_window));
    build();

    RECT frame{0, 0, m_scale.px(4815), m_scale.px(1920)};
    AdjustWindowRectExForDpi(&frame, style, FALSE, exStyle, static_cast<UINT>(m_scale.dpi()));
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    SetWindowPos(m_window, nullptr, work.left + (work.right - work.left - width) / 2,
                 work.top + (work.bottom - work.top - height) / 2, width, height, SWP_NOZORDER);

    if (owner != nullptr)
        EnableWindow(owner, FALSE);
    ShowWindow(m_window, SW_SHOW);
    SetFocus(GetDlgItem(m_window, IDOK));
    MSG message;
    while (IsWindow(m_window)) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            // The program is ending: the loop that waits for it must see the quit too.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (!IsDialogMessageW(m_window, &message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    if (owner != nullptr) {
        EnableWindow(owner, TRUE);
        SetActiveWindow(owner);
    }
    if (IsWindow(m_window))
        DestroyWindow(m_window);
    m_window = nullptr;
}

void Win32About::build() {
    if (m_art.icon != nullptr) {
        SendMessageW(m_window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_art.icon));
        SendMessageW(m_window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_art.icon));
    }
    // Carvel's load step names the product in the caption; Seamer's box keeps "About".
    if (m_program == Program::Carvel)
        SetWindowTextW(m_window, toWide(AboutTexts::kProductName).c_str());

    m_fonts[Dialog] = makeFont(L"MS Sans Serif", 8, m_scale);
    m_fonts[Product] = makeFont(L"Arial", 21.75, m_scale, FW_BOLD);
    m_fonts[Mark] = makeFont(L"MS Sans Serif", 9.75, m_scale);
    m_fonts[Maker] = makeFont(L"Bookman Old Style", 12, m_scale, FW_SEMIBOLD);
    m_fonts[MakerItalic] = makeFont(L"Bookman Old Style", 12, m_scale, FW_SEMIBOLD, true);
    m_fonts[LinkHot] = makeFont(L"MS Sans Serif", 8, m_scale, FW_NORMAL, false, true);

    // The logo is drawn stretched to the control, with its own transparency.
    makeControl(m_window, WC_STATICW, "", SS_OWNERDRAW, {240, 240, 615, 855}, kImage1, m_scale,
                nullptr);
    m_productName = makeControl(m_window, WC_STATICW, AboutTexts::kProductName, SS_LEFT,
                                {960, 240, 2415, 495}, kProductNameId, m_scale, m_fonts[Product]);
    makeControl(m_window, WC_STATICW, "\u00ae", SS_LEFT, {3360, 360, 375, 255}, -1, m_scale,
                m_fonts[Mark]);
    growToText(makeControl(m_window, WC_STATICW, AboutTexts::kNoticeLine, SS_LEFT | SS_NOPREFIX,
                           {1080, 840, 2655, 255}, -1, m_scale, m_fonts[Dialog]),
               m_fonts[Dialog]);
    growToText(makeControl(m_window, WC_STATICW, AboutTexts::kMakerFirstHalf, SS_LEFT,
                           {240, 1320, 855, 255}, -1, m_scale, m_fonts[Maker]),
               m_fonts[Maker]);
    growToText(makeControl(m_window, WC_STATICW, AboutTexts::kMakerSecondHalf, SS_LEFT,
                           {1095, 1320, 855, 255}, -1, m_scale, m_fonts[MakerItalic]),
               m_fonts[MakerItalic]);
    // OK keeps the focus the box opens with; the link comes after it in the tab order.
    makeControl(m_window, WC_BUTTONW, "&OK", BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP,
                {3600, 1320, 1095, 375}, IDOK, m_scale, m_fonts[Dialog]);
    m_lblWebsite = makeControl(m_window, WC_STATICW, AboutTexts::kLinkCaption,
                               SS_LEFT | SS_NOTIFY | WS_TABSTOP | WS_GROUP, {240, 1560, 1455, 255},
                               kLink, m_scale, m_fonts[Dialog]);
    SetWindowSubclass(m_lblWebsite, &Win32About::linkProc, 1, reinterpret_cast<DWORD_PTR>(this));
}

void Win32About::drawLogo(const DRAWITEMSTRUCT& item) {
    if (item.CtlID != kImage1 || m_art.logo == nullptr)
        return;
    BITMAP size{};
    GetObjectW(m_art.logo, sizeof(size), &size);
    HDC source = CreateCompatibleDC(item.hDC);
    HGDIOBJ old = SelectObject(source, m_art.logo);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(item.hDC, item.rcItem.left, item.rcItem.top, item.rcItem.right - item.rcItem.left,
               item.rcItem.bottom - item.rcItem.top, source, 0, 0, size.bmWidth, size.bmHeight,
               blend);
    SelectObject(source, old);
    DeleteDC(source);
}

void Win32About::HyperJump(const std::string& URL) {
    if (m_shell.execute("open", URL))
        return;
    m_messages.show({AboutTexts::noBrowserText(URL),
                     m_program == Program::Carvel ? AboutTexts::kProductName : "Seamer",
                     MsgButtons::Ok, MsgIcon::Critical, MsgAnswer::Ok, m_window});
}

void Win32About::showLink(bool hot) {
    m_hot = hot;
    // Underlined while hot, and while it has the keyboard's focus, so the user sees where Enter
    // goes.
    const bool underline = hot || GetFocus() == m_lblWebsite;
    SendMessageW(m_lblWebsite, WM_SETFONT,
                 reinterpret_cast<WPARAM>(m_fonts[underline ? LinkHot : Dialog]), TRUE);
    InvalidateRect(m_lblWebsite, nullptr, TRUE);
}

LRESULT CALLBACK Win32About::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<Win32About*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self == nullptr || self->m_window != window)
        return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT Win32About::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        // OK, Return, Esc: the box goes.
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL)
            DestroyWindow(m_window);
        return 0;
    case WM_CLOSE:
        DestroyWindow(m_window);
        return 0;
    case WM_DRAWITEM:
        drawLogo(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    case WM_CTLCOLORSTATIC: {
        auto dc = reinterpret_cast<HDC>(wParam);
        auto control = reinterpret_cast<HWND>(lParam);
        SetBkMode(dc, TRANSPARENT);
        if (control == m_productName)
            SetTextColor(dc, RGB(0xff, 0x00, 0x00));
        else if (control == m_lblWebsite)
            SetTextColor(dc, GetSysColor(m_hot ? COLOR_HIGHLIGHT : COLOR_BTNTEXT));
        else
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
        break;
    }
    return DefWindowProcW(m_window, message, wParam, lParam);
}

LRESULT CALLBACK Win32About::linkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR /*id*/, DWORD_PTR data) {
    auto* self = reinterpret_cast<Win32About*>(data);
    if (message == WM_NCDESTROY)
        RemoveWindowSubclass(link, &Win32About::linkProc, 1);
    return self->handleLink(message, wParam, lParam);
}

LRESULT Win32About::handleLink(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_MOUSEMOVE:
        // The pointer coming onto the link makes it hot until it leaves.
        if (!m_hot) {
            TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_lblWebsite, 0};
            TrackMouseEvent(&track);
            showLink(true);
        }
        return 0;
    case WM_MOUSELEAVE:
        m_pressed = false;
        showLink(false);
        return 0;
    case WM_LBUTTONDOWN:
        m_pressed = true;
        return 0;
    case WM_LBUTTONUP: {
        // A press and a release on the link is a click: it opens the guide and leaves the
        // link in its normal look.
        RECT place{};
        GetClientRect(m_lblWebsite, &place);
        const POINT at{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        const bool click = m_pressed && PtInRect(&place, at);
        m_pressed = false;
        if (click) {
            HyperJump(documentationAddress());
            showLink(false);
        }
        return 0;
    }
    case WM_SETCURSOR:
        SetCursor(m_art.linkCursor != nullptr ? m_art.linkCursor : LoadCursorW(nullptr, IDC_HAND));
        return TRUE;
    case WM_GETDLGCODE:
        // Return and Space open the link where it has the focus.
        if (lParam != 0) {
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            if (key->message == WM_KEYDOWN && (key->wParam == VK_RETURN || key->wParam == VK_SPACE))
                return DLGC_WANTMESSAGE;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_RETURN || wParam == VK_SPACE) {
            HyperJump(documentationAddress());
            return 0;
        }
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT result = DefSubclassProc(m_lblWebsite, message, wParam, lParam);
        showLink(m_hot);
        return result;
    }
    default:
        break;
    }
    return DefSubclassProc(m_lblWebsite, message, wParam, lParam);
}

} // namespace carvel::win32
