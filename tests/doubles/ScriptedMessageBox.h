#pragma once

#include "IMessageBox.h"

#include <deque>
#include <vector>

namespace carvel {

// Test double: records every box shown and answers from a queue set by the test. With the
// queue empty it answers the box's default button, as a user pressing Enter would.
class ScriptedMessageBox final : public IMessageBox {
public:
    MsgAnswer show(const MessageRequest& request) override;

    void setNextAnswer(MsgAnswer answer) { m_answers.push_back(answer); }
    const std::vector<MessageRequest>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }
    // Runs while each box is open, before it answers: what happens meanwhile.
    void whileShown(std::function<void(const MessageRequest&)> action) {
        m_whileShown = std::move(action);
    }

private:
    std::deque<MsgAnswer> m_answers;
    std::vector<MessageRequest> m_shown;
    std::function<void(const MessageRequest&)> m_whileShown;
};

} // namespace carvel
