#pragma once

#include <string>

namespace carvel {

enum class MsgButtons { Ok, YesNoCancel, RetryCancel, YesNo };
enum class MsgIcon { None, Critical, Information };
enum class MsgAnswer { Ok, Yes, No, Cancel, Retry };

// What a message box shows. The default button is the first of the set unless named.
struct MessageRequest {
    std::string text;
    std::string caption;
    MsgButtons buttons = MsgButtons::Ok;
    MsgIcon icon = MsgIcon::None;
    MsgAnswer defaultButton = MsgAnswer::Ok;
    // The window the box belongs to; opaque here, a QWidget* for the Qt implementation.
    void* owner = nullptr;
};

// The platform's modal message box: shows the request and answers the button pressed.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MsgAnswer show(const MessageRequest& request) = 0;
};

} // namespace carvel
