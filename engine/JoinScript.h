#pragma once

#include <string>

namespace carvel::JoinScript {

// The text of JoinFiles.bat, built while the pieces are written: the head before the first
// piece, one line after each piece, the tail after the last.
std::string head(const std::string& fileName);
std::string pieceLine(const std::string& fileName, long long i, int width);
std::string tail(const std::string& fileName);

// False for a name that could end its quotes or its line in the script, and so run the rest
// as a command: a double quote or a control character, none of which a Windows name holds.
bool canCarry(const std::string& fileName);

} // namespace carvel::JoinScript
