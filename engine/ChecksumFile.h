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

// The entries of a checksum file in their order, read in every form that sha256sum and
// shasum -a 256 write: the binary mark "*" or a single blank before the name, the tagged form
// "SHA256 (name) = digest", escaped names, CRLF line ends, a last line without its LF, a leading
// byte-order mark, "#" comment and blank lines, "./" before a name. Nothing when a line is none
// of these, or no line names a file; problem, when given, then says which line and why. Reads any
// text whatever without failing, in time linear in its length.
std::optional<std::vector<Entry>> parse(std::string_view text, std::string* problem = nullptr);

} // namespace carvel::ChecksumFile
