#pragma once

#include "ILongPathName.h"

namespace carvel {

// Names on this file system have no short forms, so the long form of an existing path is the
// path itself.
class PosixLongPathName final : public ILongPathName {
public:
    std::optional<std::string> getLongPathName(const std::string& path,
                                               std::uint32_t bufferSize) override;
};

} // namespace carvel
