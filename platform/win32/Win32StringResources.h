#pragma once

#include "IStringResources.h"

namespace carvel {

// LoadStringW on the program's own module: its string table, nullopt for a number it does not
// carry (Carvel and Seamer carry none).
class Win32StringResources final : public IStringResources {
public:
    std::optional<std::string> loadString(std::uint32_t id) override;
};

} // namespace carvel
