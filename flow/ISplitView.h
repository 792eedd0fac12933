#pragma once

#include "flow/PanelChecks.h"

#include <string>

namespace carvel {

// The split panel as SplitFlow sees it: the front end draws it and forwards its events
// (a change of the source text, a unit chosen, the two buttons) to the flow.
class ISplitView {
public:
    virtual ~ISplitView() = default;

    // txtSplitSourceFile. Setting it runs the change handling as typing does: the front end
    // forwards its change event to SplitFlow::txtSplitSourceFile_Change.
    virtual std::string sourceText() const = 0;
    virtual void setSourceText(const std::string& text) = 0;
    // txtMaxChunkSize.
    virtual std::string sizeText() const = 0;
    // The label "filesize" beside the select button; empty shows nothing.
    virtual void setFileSizeText(const std::string& text) = 0;
    // Selects option button optSizeMode(index) without running its click handling again.
    virtual void checkSizeMode(int index) = 0;
    // Puts the keyboard focus into the box that must be corrected (SplitSource or SplitSize).
    virtual void focus(InputField field) = 0;
    // While a split runs the boxes, the select button and the units cannot be used, and Start
    // reads Cancel (and stays enabled); false brings them back.
    virtual void showWorking(bool working) = 0;
    virtual void setStartEnabled(bool enabled) = 0;
    // The busy pointer over the program while a split runs.
    virtual void showBusyPointer(bool busy) = 0;
    // The window the panel's boxes belong to, for MessageRequest::owner and the file dialog.
    virtual void* owner() = 0;
};

} // namespace carvel
