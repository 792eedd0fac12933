#pragma once

#include <string>

namespace carvel {

// Opens a document or address with the desktop's handler for it. The result is not examined
// by any caller, so none is returned.
class IShellExecute {
public:
    virtual ~IShellExecute() = default;
    virtual void execute(const std::string& verb, const std::string& file) = 0;
};

} // namespace carvel
