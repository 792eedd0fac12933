#pragma once

#include "Win32Controls.h"

#include <windows.h>

#include <string>

namespace carvel::win32 {

// "StatusBar1", a comctl32 status bar of ten panels. The program writes the first two (a
// picture and a name); the others show the date, the time and the insert and lock keys by
// themselves, a key panel greyed while its key is off. While work runs a progress bar and its
// text take the place of the panels right of panel 2.
class Win32StatusBar {
public:
    Win32StatusBar(HWND frame, const Scale& scale, HFONT font);

    HWND hwnd() const { return m_bar; }
    // The bar along the bottom of a client area of this width and height.
    void place(int clientWidth, int clientHeight);

    void setPicture(HICON picture);
    void setText(const std::string& text);
    std::string text() const;

    // name: panel 2 while work runs ("Splitting 42%"); share: done of the total, below 0 while
    // the total is not known; detail: the amounts, rate and time left.
    void showProgress(const std::string& name, double share, const std::string& detail);
    void showIdle();
    bool working() const { return m_working; }

    // For the frame: the clock's tick and the drawing of the key panels.
    void tick();
    bool drawItem(const DRAWITEMSTRUCT& item);

private:
    void setParts();

    HWND m_bar;
    HWND m_progress = nullptr;
    Scale m_scale;
    int m_width = 0;
    std::string m_idleText;
    bool m_working = false;
};

} // namespace carvel::win32
