#pragma once

#include <functional>
#include <string>

namespace carvel {

// Lets the code that asked a question take it back while the box is open, once its answer no
// longer matters: the box closes as if the user had closed it. A box shown after the withdrawal
// answers at once, unseen.
class Withdrawal {
public:
    void withdraw() {
        m_withdrawn = true;
        if (m_closeOpenBox)
            m_closeOpenBox();
    }
    bool withdrawn() const { return m_withdrawn; }
    // For the box itself: how to close it while it is open; an empty function once it is closed.
    void whileOpen(std::function<void()> closeOpenBox) { m_closeOpenBox = std::move(closeOpenBox); }

private:
    bool m_withdrawn = false;
    std::function<void()> m_closeOpenBox;
};

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
    // Set by a caller that may take the question back while it is open.
    Withdrawal* withdrawal = nullptr;
};

// The platform's modal message box: shows the request and answers the button pressed.
class IMessageBox {
public:
    virtual ~IMessageBox() = default;
    virtual MsgAnswer show(const MessageRequest& request) = 0;
};

} // namespace carvel
