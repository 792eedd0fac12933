#pragma once

#include <windows.h>

#include <string>

namespace carvel::win32 {

// The windows are laid out in twips: 15 twips a pixel at 96 dots per inch, scaled by the
// window's own DPI so that the layout keeps its proportions on a scaled screen.
class Scale {
public:
    explicit Scale(unsigned dpi = 96) : m_dpi(static_cast<int>(dpi)) {}
    int px(int twips) const { return MulDiv(twips, m_dpi, 15 * 96); }
    // Pixels of a 96-DPI design, such as the toolbar's button size.
    int design(int pixels) const { return MulDiv(pixels, m_dpi, 96); }
    int dpi() const { return m_dpi; }

private:
    int m_dpi;
};

// A place in twips inside the parent: left, top, width, height.
struct Twips {
    int left, top, width, height;
};

// Window text as UTF-8, and back.
std::string windowText(HWND window);
void setWindowText(HWND window, const std::string& text);

// A font of the given face and size in points (weight 400 normal, 700 bold) for this DPI.
HFONT makeFont(const wchar_t* face, double points, const Scale& scale, int weight = FW_NORMAL,
               bool italic = false, bool underline = false);

// A child control placed in twips; it takes the font given, and its identifier is the one its
// WM_COMMAND carries.
HWND makeControl(HWND parent, const wchar_t* windowClass, const std::string& text, DWORD style,
                 Twips place, int id, const Scale& scale, HFONT font, DWORD exStyle = 0);

// A label grows to its caption where the font at hand is wider than the designed place.
void growToText(HWND label, HFONT font);

// A tooltip for a control, as the panels' small picture buttons carry.
void addToolTip(HWND control, const std::string& text);

} // namespace carvel::win32
