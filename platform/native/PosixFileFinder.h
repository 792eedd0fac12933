#pragma once

#include "IFileFinder.h"

#include <set>

namespace carvel {

// Find-first-file over the local file system. Of several matches of a wildcard it answers the
// first by name, so the answer does not depend on the order of the directory.
class PosixFileFinder final : public IFileFinder {
public:
    FindResult findFirstFile(const std::string& pattern) override;
    void findClose(std::uint32_t handle) override { m_open.erase(handle); }

private:
    std::set<std::uint32_t> m_open;
    std::uint32_t m_nextHandle = 1;
};

} // namespace carvel
