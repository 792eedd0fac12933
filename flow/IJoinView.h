#pragma once

#include "flow/PanelChecks.h"

#include <string>

namespace carvel {

// The join panel as JoinFlow sees it: the front end draws it and forwards its events (the
// three buttons, files dropped) to the flow.
class IJoinView {
public:
    virtual ~IJoinView() = default;

    // txtJoinSourceFile, the piece pattern.
    virtual std::string sourceText() const = 0;
    virtual void setSourceText(const std::string& text) = 0;
    // txtJoinDestination.
    virtual std::string destinationText() const = 0;
    virtual void setDestinationText(const std::string& text) = 0;
    // Puts the keyboard focus into the box that must be corrected (JoinSource or
    // JoinDestination).
    virtual void focus(InputField field) = 0;
    // While a join runs the boxes and the choosers cannot be used, and Start reads Cancel (and
    // stays enabled); false brings them back.
    virtual void showWorking(bool working) = 0;
    virtual void setStartEnabled(bool enabled) = 0;
    // The busy pointer over the program while a join runs (asked only where the policy has it).
    virtual void showBusyPointer(bool busy) = 0;
    // The window the panel's boxes belong to, for MessageRequest::owner and the file dialog.
    virtual void* owner() = 0;
};

} // namespace carvel
