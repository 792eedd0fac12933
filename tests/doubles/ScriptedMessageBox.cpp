#include "ScriptedMessageBox.h"

namespace carvel {

MsgAnswer ScriptedMessageBox::show(const MessageRequest& request) {
    m_shown.push_back(request);
    if (m_whileShown)
        m_whileShown(request);
    if (m_answers.empty())
        return request.defaultButton;
    const MsgAnswer answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

} // namespace carvel
