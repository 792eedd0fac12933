#pragma once

#include <string>

namespace carvel {

// Opens a document or address with the desktop's handler for it.
class IShellExecute {
public:
    virtual ~IShellExecute() = default;
    // False when no handler could be started; what a started handler makes of it is not known.
    virtual bool execute(const std::string& verb, const std::string& file) = 0;
};

} // namespace carvel
