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

private:
    std::deque<MsgAnswer> m_answers;
    std::vector<MessageRequest> m_shown;
};

} // namespace carvel
