#pragma once

#include "IMessageBox.h"
#include "IShellExecute.h"
#include "Win32Controls.h"

#include <windows.h>

#include <string>

namespace carvel::win32 {

// The pictures the About box shows; any may be null.
struct AboutArt {
    HICON icon = nullptr;
    HBITMAP logo = nullptr;
    HCURSOR linkCursor = nullptr;
};

// The About box of both programs: the product's logo and name, the maker's notice and name, the
// link to the user guide beside the program, and OK. Carvel names itself in the caption; Seamer
// keeps "About".
class Win32About {
public:
    enum class Program { Carvel, Seamer };

    Win32About(IShellExecute& shell, IMessageBox& messages, Program program, AboutArt art);
    ~Win32About();
    Win32About(const Win32About&) = delete;
    Win32About& operator=(const Win32About&) = delete;

    // Shows the box and returns when it is closed; the owner takes no input meanwhile.
    void showModal(HWND owner);

    // The user guide beside the program.
    static std::string documentationAddress();

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK linkProc(HWND link, UINT message, WPARAM wParam, LPARAM lParam,
                                     UINT_PTR id, DWORD_PTR data);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handleLink(UINT message, WPARAM wParam, LPARAM lParam);
    void build();
    void drawLogo(const DRAWITEMSTRUCT& item);
    void HyperJump(const std::string& URL);
    void showLink(bool hot);

    IShellExecute& m_shell;
    IMessageBox& m_messages;
    Program m_program;
    AboutArt m_art;
    HWND m_window = nullptr;
    HWND m_lblWebsite = nullptr;
    HWND m_productName = nullptr;
    Scale m_scale;
    HFONT m_fonts[6] = {};
    bool m_hot = false;
    bool m_pressed = false;
};

} // namespace carvel::win32
