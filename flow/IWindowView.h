#pragma once

#include "flow/ProgressText.h"

#include <string>

namespace carvel {

// The window around the panels (Carvel's frmSplitJoin or Seamer's) as the window flows see it:
// the front end draws it and forwards its commands (toolbar keys, menu entries, Esc, the close
// box, a stop signal, files dropped) to the flow.
class IWindowView {
public:
    virtual ~IWindowView() = default;

    enum class Panel { Split, Join };

    virtual void setCaption(const std::string& caption) = 0;
    // Shows one panel and hides the other; with focusFirstBox the keyboard focus goes to the
    // shown panel's first box, never to a box of the hidden one.
    virtual void showPanel(Panel panel, bool focusFirstBox) = 0;
    // Status panel 1's picture, by its role: "Split", "Join", "About" or "Help".
    virtual void setModePicture(const std::string& role) = 0;
    // Status panel 2's text; while work runs it is kept for the idle bar that comes back after.
    virtual void setStatusText(const std::string& text) = 0;
    // Toolbar button position (from 1) and its paired menu entry.
    virtual void setCommandEnabled(int position, bool enabled) = 0;

    // The progress in the status bar while work runs; showIdle brings the idle panels back.
    virtual void showProgress(const ProgressText& progress) = 0;
    virtual void showIdle() = 0;
    // Whether Esc reaches WindowFlow::escape (only while work runs, so it takes no key from
    // anything else).
    virtual void setCancelKeyEnabled(bool enabled) = 0;
    // Asks for the user's attention when the window is not the active one (work that ended
    // after a long while).
    virtual void alertIfInactive() = 0;

    // The About box, modal, without owner; returns when it is closed.
    virtual void showAbout() = 0;
    // Carvel's Help command from its fourth step on: the help file's contents.
    virtual void showHelpContents() = 0;
    // Closes the window by its usual path (which asks WindowFlow::mayClose); false when it
    // stayed open.
    virtual bool close() = 0;
    // Ends the program's event loop.
    virtual void quit() = 0;
    // The window, for MessageRequest::owner.
    virtual void* owner() = 0;
};

} // namespace carvel
