#pragma once

#include <string>

namespace carvel::JoinScript {

// The text of JoinFiles.bat, built while the pieces are written: the head before the first
// piece, the lines of each piece after it, the tail after the last. A name that the script's
// code page cannot carry is taken from the piece folder when the script runs.
std::string head(const std::string& fileName);
std::string pieceLine(const std::string& fileName, long long i, int width);
std::string tail(const std::string& fileName);

// True when the two names give one script, which thus cannot tell them apart.
bool sameScript(const std::string& a, const std::string& b);

// False for a name that could end its quotes or its line in the script, and so run the rest
// as a command: a double quote or a control character, none of which a Windows name holds.
bool canCarry(const std::string& fileName);

} // namespace carvel::JoinScript
