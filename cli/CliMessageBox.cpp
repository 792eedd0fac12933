#include "CliMessageBox.h"

namespace carvel {

MsgAnswer CliMessageBox::show(const MessageRequest& request) {
    if (m_beforeShow)
        m_beforeShow();
    m_err << request.caption << ": " << request.text;
    MsgAnswer answer = MsgAnswer::Ok;
    switch (request.buttons) {
    case MsgButtons::Ok:
        break;
    case MsgButtons::YesNo:
    case MsgButtons::YesNoCancel:
        answer = m_force ? MsgAnswer::Yes : MsgAnswer::No;
        m_err << (m_force ? " Yes (--force)" : " No (--force answers Yes)");
        break;
    case MsgButtons::RetryCancel:
        answer = MsgAnswer::Cancel;
        m_err << " Cancel";
        break;
    }
    m_err << '\n' << std::flush;
    return answer;
}

} // namespace carvel
