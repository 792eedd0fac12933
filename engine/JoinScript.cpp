#include "JoinScript.h"

#include "PieceSet.h"

namespace carvel::JoinScript {

namespace {

constexpr const char* kLineEnd = "\r\n";

// The command interpreter drops a lone "%" in a batch file, so each one is doubled.
std::string quoted(const std::string& name) {
    std::string text = "\"";
    for (char c : name) {
        text += c;
        if (c == '%')
            text += '%';
    }
    return text + "\"";
}

// The temporary join file the script builds the source in.
std::string temp(const std::string& fileName) {
    return quoted("$$" + fileName + "$$");
}

} // namespace

std::string head(const std::string& fileName) {
    return std::string("@Echo off") + kLineEnd + "Del " + temp(fileName) + " > nul " + kLineEnd;
}

std::string pieceLine(const std::string& fileName, long long i, int width) {
    const std::string piece = quoted(fileName + "." + PieceSet::numberText(i, width));
    if (i == 1)
        return "Copy /b " + piece + " " + temp(fileName) + " > nul " + kLineEnd;
    return "Copy /b " + temp(fileName) + "+" + piece + " " + temp(fileName) + " > nul " + kLineEnd;
}

std::string tail(const std::string& fileName) {
    return "Copy /b /-y " + temp(fileName) + "  " + quoted(fileName) + kLineEnd + "Del " +
           temp(fileName) + " > nul ";
}

} // namespace carvel::JoinScript
