#pragma once

#include <string>

namespace carvel::ShellJoinScript {

// The text of JoinFiles.sh, the join script for macOS, Linux and any POSIX shell: run as
// "sh JoinFiles.sh" in the piece folder, it rebuilds fileName from its count pieces, checked
// against the set's checksum file first when the split wrote one (checksums). Every name is in
// single quotes, so that no name the split accepts runs as a command.
std::string text(const std::string& fileName, long long count, int width, bool checksums);

} // namespace carvel::ShellJoinScript
