#pragma once

#include "IMessageBox.h"

namespace carvel {

// The platform's message box, drawn by Qt.
class QtMessageBox final : public IMessageBox {
public:
    MsgAnswer show(const MessageRequest& request) override;
};

} // namespace carvel
