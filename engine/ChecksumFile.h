#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace carvel::ChecksumFile {

// The text of a checksum file as GNU sha256sum writes and checks it, so that a receiver without
// Carvel can check a set with the standard tools.

struct Entry {
    std::string digest; // 64 lower-case hex digits
    std::string name;
};

// One line: the digest, two blanks, the name, LF. A name with a backslash, LF or CR has them
// written as \\, \n and \r, and the line then starts with a backslash.
std::string line(const std::string& digest, const std::string& name);

// The entries of a checksum file in their order, or nothing when any line is not one of the
// form above (a "*" in place of the second blank is taken as well, and a CR before the LF).
// Reads any text whatever without failing, in time linear in its length.
std::optional<std::vector<Entry>> parse(std::string_view text);

} // namespace carvel::ChecksumFile
