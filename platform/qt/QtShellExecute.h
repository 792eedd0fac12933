#pragma once

#include "IShellExecute.h"

namespace carvel {

// Opens an address or a file with the desktop's default handler for it.
class QtShellExecute final : public IShellExecute {
public:
    bool execute(const std::string& verb, const std::string& file) override;
};

} // namespace carvel
