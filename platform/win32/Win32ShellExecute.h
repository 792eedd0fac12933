#pragma once

#include "IShellExecute.h"

namespace carvel {

// ShellExecuteW: opens a document or address with the handler Windows has for it, shown
// normally and with no owner window.
class Win32ShellExecute final : public IShellExecute {
public:
    bool execute(const std::string& verb, const std::string& file) override;
};

} // namespace carvel
