#pragma once

#include "IMessageBox.h"

#include <functional>
#include <ostream>

namespace carvel {

// carvel-cli's message box: each box is one line on the error stream, "Caption: text". Nobody is
// there to answer, so a question is answered Yes only when the user said --force beforehand.
class CliMessageBox final : public IMessageBox {
public:
    CliMessageBox(std::ostream& err, bool force) : m_err(err), m_force(force) {}
    MsgAnswer show(const MessageRequest& request) override;

    // Called before a box is printed, so that a progress line can make room for it.
    void setBeforeShow(std::function<void()> beforeShow) { m_beforeShow = std::move(beforeShow); }

private:
    std::ostream& m_err;
    bool m_force;
    std::function<void()> m_beforeShow;
};

} // namespace carvel
