#pragma once

#include <cstdint>
#include <string>

namespace carvel {

enum class FindStatus { Found, NotFound, BadName };

// What a find-first-file call answers: on success an open search handle and the bare name of
// the first match, as the file system spells it (the name may carry trailing null characters,
// as the platform's fixed-size name buffer does).
struct FindResult {
    FindStatus status = FindStatus::NotFound;
    std::uint32_t handle = 0;
    std::string fileName;
};

// Find-first-file: looks a path up, with "*" and "?" allowed in its last element.
class IFileFinder {
public:
    virtual ~IFileFinder() = default;
    virtual FindResult findFirstFile(const std::string& pattern) = 0;
    virtual void findClose(std::uint32_t handle) = 0;
};

} // namespace carvel
