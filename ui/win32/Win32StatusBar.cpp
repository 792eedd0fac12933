#include "Win32StatusBar.h"

#include "WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace carvel::win32 {

namespace {

enum Panel { Picture, Name, Spacer, Date, Gap, Time, Insert, NumLock, CapsLock, ScrollLock };
// While work runs, after the picture and the name: the bar, and its line of amounts.
enum WorkPanel { Bar = 2, Detail };
constexpr int kWidths[10] = {600, 1440, 300, 1000, 570, 1000, 500, 500, 500, 500};
constexpr int kGapMinimum = 330;
constexpr int kBarTwips = 1500;
constexpr int kKeys[4] = {VK_INSERT, VK_NUMLOCK, VK_CAPITAL, VK_SCROLL};
const wchar_t* const kKeyNames[4] = {L"INS", L"NUM", L"CAPS", L"SCRL"};

void setPart(HWND bar, int part, const std::wstring& text, UINT kind = 0) {
    SendMessageW(bar, SB_SETTEXTW, static_cast<WPARAM>(part) | kind,
                 reinterpret_cast<LPARAM>(text.c_str()));
}

} // namespace

Win32StatusBar::Win32StatusBar(HWND frame, const Scale& scale, HFONT font) : m_scale(scale) {
    m_bar =
        CreateWindowExW(0, STATUSCLASSNAMEW, nullptr,
                        WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | CCS_NOPARENTALIGN | CCS_NORESIZE,
                        0, 0, 0, 0, frame, nullptr, GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_bar, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    m_progress = CreateWindowExW(0, PROGRESS_CLASSW, nullptr, WS_CHILD, 0, 0, 0, 0, m_bar, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(m_progress, PBM_SETRANGE32, 0, 1000);
    // The panels exist before the bar is placed, so that they can be written at once.
    setParts();
}

void Win32StatusBar::place(int clientWidth, int clientHeight) {
    m_width = clientWidth;
    const int height = m_scale.px(300);
    MoveWindow(m_bar, 0, clientHeight - height, clientWidth, height, TRUE);
    setParts();
    tick();
}

void Win32StatusBar::setParts() {
    int edges[10];
    int count = 0;
    int right = 0;
    if (m_working) {
        // Picture, name, then the bar and its text over the rest.
        for (int panel : {Picture, Name}) {
            right += m_scale.px(kWidths[panel]);
            edges[count++] = right;
        }
        edges[count++] = right + m_scale.px(kBarTwips);
        edges[count++] = -1;
    } else {
        int fixed = 0;
        for (int panel = Picture; panel <= ScrollLock; ++panel)
            if (panel != Gap)
                fixed += m_scale.px(kWidths[panel]);
        // The gap between the date and the time takes what the window leaves.
        const int gap = std::max(m_scale.px(kGapMinimum), m_width - fixed);
        for (int panel = Picture; panel <= ScrollLock; ++panel) {
            right += panel == Gap ? gap : m_scale.px(kWidths[panel]);
            edges[count++] = right;
        }
    }
    SendMessageW(m_bar, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(edges));
    if (m_working) {
        // The bar fills its panel inside the panel's border.
        RECT client{};
        GetClientRect(m_bar, &client);
        const int left = edges[Name] + 3;
        MoveWindow(m_progress, left, 3, edges[Bar] - left - 2, client.bottom - 5, TRUE);
    }
}

void Win32StatusBar::setPicture(HICON picture) {
    SendMessageW(m_bar, SB_SETICON, Picture, reinterpret_cast<LPARAM>(picture));
}

void Win32StatusBar::setText(const std::string& text) {
    m_idleText = text;
    if (!m_working)
        setPart(m_bar, Name, toWide(text));
}

std::string Win32StatusBar::text() const {
    const auto length = LOWORD(SendMessageW(m_bar, SB_GETTEXTLENGTHW, Name, 0));
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    SendMessageW(m_bar, SB_GETTEXTW, Name, reinterpret_cast<LPARAM>(text.data()));
    text.resize(length);
    return toUtf8(text);
}

void Win32StatusBar::showProgress(const std::string& name, double share,
                                  const std::string& detail) {
    if (!m_working) {
        m_working = true;
        setParts();
        ShowWindow(m_progress, SW_SHOWNA);
    }
    setPart(m_bar, Name, toWide(name));
    // A total not known yet shows as a bar that only says that work goes on.
    const LONG_PTR style = GetWindowLongPtrW(m_progress, GWL_STYLE);
    const bool unknown = share < 0;
    if (unknown != ((style & PBS_MARQUEE) != 0)) {
        SetWindowLongPtrW(m_progress, GWL_STYLE,
                          unknown ? style | PBS_MARQUEE : style & ~PBS_MARQUEE);
        SendMessageW(m_progress, PBM_SETMARQUEE, unknown ? TRUE : FALSE, 50);
    }
    if (!unknown)
        SendMessageW(m_progress, PBM_SETPOS, static_cast<WPARAM>(std::lround(share * 1000)), 0);
    setPart(m_bar, Detail, toWide(detail));
}

void Win32StatusBar::showIdle() {
    if (!m_working)
        return;
    m_working = false;
    ShowWindow(m_progress, SW_HIDE);
    setPart(m_bar, Detail, L"");
    setParts();
    setPart(m_bar, Name, toWide(m_idleText));
    tick();
}

void Win32StatusBar::tick() {
    if (m_working)
        return;
    wchar_t date[80] = L"";
    wchar_t time[80] = L"";
    GetDateFormatEx(LOCALE_NAME_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, date, 80, nullptr);
    GetTimeFormatEx(LOCALE_NAME_USER_DEFAULT, TIME_NOSECONDS, nullptr, nullptr, time, 80);
    setPart(m_bar, Date, date);
    setPart(m_bar, Time, time);
    // The key panels draw themselves, greyed while their key is off.
    for (int key = 0; key < 4; ++key)
        SendMessageW(m_bar, SB_SETTEXTW, static_cast<WPARAM>(Insert + key) | SBT_OWNERDRAW,
                     static_cast<LPARAM>(key + 1));
}

bool Win32StatusBar::drawItem(const DRAWITEMSTRUCT& item) {
    if (item.hwndItem != m_bar || item.itemData < 1 || item.itemData > 4)
        return false;
    const int key = static_cast<int>(item.itemData) - 1;
    const bool on = (GetKeyState(kKeys[key]) & 1) != 0;
    RECT place = item.rcItem;
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC, GetSysColor(on ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
    DrawTextW(item.hDC, kKeyNames[key], -1, &place, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    return true;
}

} // namespace carvel::win32
