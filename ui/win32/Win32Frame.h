#pragma once

#include "Win32Controls.h"
#include "Win32StatusBar.h"

#include <windows.h>

#include <commctrl.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace carvel::win32 {

// The frame that Carvel's main window and Seamer's window share: a fixed window centred when
// first shown, with a menu, the toolbar tbMenu of picture buttons, one place for the panels and
// the status bar. Every command runs guarded, so no exception reaches the message loop. The
// controls' notifications come here by their identifiers, whichever panel holds them.
class Win32Frame {
public:
    struct ToolbarButton {
        const char* key; // caption and key
        int id;          // the command it sends
        int image;       // index in the image list, -1 for none
    };

    // caption: the window's first caption.
    explicit Win32Frame(const std::string& caption);
    ~Win32Frame();
    Win32Frame(const Win32Frame&) = delete;
    Win32Frame& operator=(const Win32Frame&) = delete;

    HWND hwnd() const { return m_window; }
    const Scale& scale() const { return m_scale; }
    HFONT font() const { return m_font; }
    Win32StatusBar& statusBar() { return *m_status; }

    void setIcon(HICON icon);
    void setMenu(HMENU menu);
    // The toolbar's buttons in the order of the flag string's positions; images may be null.
    void buildToolbar(const std::vector<ToolbarButton>& buttons, HIMAGELIST images);
    // A panel: a frame with its caption, placed at left 120, top 840 twips of the window, of
    // 6855 x 2655 twips; its controls are made inside it in the panel's own twips.
    HWND makePanel(const std::string& caption, const char* name);

    void setCaption(const std::string& caption);
    // Toolbar button i (from 1) and the menu entry paired with it.
    void enableCommand(int index, int menuId, bool enabled);

    // What a control or command with this identifier does when it is clicked or changed; code is
    // its notification (BN_CLICKED, EN_CHANGE, ...).
    void onCommand(int id, std::function<void(int code)> handler);
    // What a button does when it is clicked (or pressed by its keys).
    void onClick(int id, std::function<void()> handler);
    // Esc, and the close box or Exit (which decides whether the window goes).
    void onEscape(std::function<void()> handler) { m_escape = std::move(handler); }
    void onClose(std::function<void()> handler) { m_close = std::move(handler); }
    // Windows ending the session: the handler stops the work, which then has a few seconds to
    // end and clean up before the system ends the program.
    void onEndSession(std::function<void()> handler) { m_endSession = std::move(handler); }
    // Files dropped on the window: their paths, and where on the screen they were dropped.
    void onDrop(std::function<void(const std::vector<std::string>&, POINT)> handler);
    // Whether a point of the screen lies on a visible control.
    static bool isOver(HWND control, POINT screen);

    // What runs every command, so that no exception leaves it for the message loop; without
    // one, a failing command ends silently.
    void setGuard(std::function<void(const std::function<void()>&)> guard);

    // The busy pointer over the window while work runs.
    void setBusy(bool busy);

    void show();
    // Destroys the window; the message loop ends with it.
    void destroy();

    // For the message loop: keys that move between and press the window's controls.
    static bool dialogKeys(MSG& message);

private:
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK panelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    void dropped(HDROP drop);
    void sessionEnds();

    void guarded(const std::function<void()>& command);

    std::function<void(const std::function<void()>&)> m_guard;
    HWND m_window = nullptr;
    HWND m_toolbar = nullptr;
    Scale m_scale;
    HFONT m_font = nullptr;
    std::unique_ptr<Win32StatusBar> m_status;
    std::vector<int> m_buttonIds;
    bool m_busy = false;
    // The control that had the focus when the window was last left.
    HWND m_lastFocus = nullptr;
    std::map<int, std::function<void(int)>> m_commands;
    std::function<void()> m_escape;
    std::function<void()> m_close;
    std::function<void()> m_endSession;
    std::function<void(const std::vector<std::string>&, POINT)> m_drop;
};

} // namespace carvel::win32
