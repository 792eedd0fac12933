#include "Win32Controls.h"

#include "WideText.h"

#include <commctrl.h>

#include <algorithm>
#include <cmath>

namespace carvel::win32 {

std::string windowText(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return toUtf8(text);
}

void setWindowText(HWND window, const std::string& text) {
    SetWindowTextW(window, toWide(text).c_str());
}

HFONT makeFont(const wchar_t* face, double points, const Scale& scale, int weight, bool italic,
               bool underline) {
    const int height = -static_cast<int>(std::lround(points * scale.dpi() / 72.0));
    return CreateFontW(height, 0, 0, 0, weight, italic ? TRUE : FALSE, underline ? TRUE : FALSE,
                       FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                       DEFAULT_QUALITY, DEFAULT_PITCH | FF_SWISS, face);
}

HWND makeControl(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style,
                 Twips place, int id, const Scale& scale, HFONT font, DWORD exStyle) {
    HWND control = CreateWindowExW(
        exStyle, windowClass, toWide(text).c_str(), WS_CHILD | WS_VISIBLE | style,
        scale.px(place.left), scale.px(place.top), scale.px(place.width), scale.px(place.height),
        parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
        nullptr);
    if (control != nullptr && font != nullptr)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

void growToText(HWND label, HFONT font) {
    const std::wstring text = toWide(windowText(label));
    HDC dc = GetDC(label);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE needed{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &needed);
    SelectObject(dc, old);
    ReleaseDC(label, dc);
    RECT place{};
    GetClientRect(label, &place);
    if (needed.cx > place.right || needed.cy > place.bottom)
        SetWindowPos(label, nullptr, 0, 0, std::max<int>(needed.cx, place.right),
                     std::max<int>(needed.cy, place.bottom),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void addToolTip(HWND control, const std::string& text) {
    HWND tip =
        CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                        GetAncestor(control, GA_ROOT), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (tip == nullptr)
        return;
    std::wstring wide = toWide(text);
    TOOLINFOW info{};
    info.cbSize = sizeof(info);
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(control);
    info.uId = reinterpret_cast<UINT_PTR>(control);
    info.lpszText = wide.data();
    SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
}

} // namespace carvel::win32
