#pragma once

#include "IOsVersion.h"

namespace carvel {

// The version of the running kernel. This system belongs to neither of the two Windows lines,
// so its platform id is the one that none of them uses for themselves (0).
class PosixOsVersion final : public IOsVersion {
public:
    OsVersionInfo getVersionEx(std::uint32_t recordSize) override;
};

} // namespace carvel
