#include "JoinScript.h"

#include "PieceSet.h"

#include <algorithm>
#include <iterator>

namespace carvel::JoinScript {

namespace {

constexpr const char* kLineEnd = "\r\n";

// The characters of code page 850 from byte 0x80 on. The command interpreter reads a batch
// file in the console's OEM code page, not in UTF-8 (chcp 65001 does not change that under every
// interpreter), and 850 is the OEM page of the Western European systems, so its bytes rebuild
// such names where a UTF-8 name would fail.
constexpr char32_t kCodePage850[128] = {
    0xc7,   0xfc,   0xe9,   0xe2,   0xe4,   0xe0,   0xe5,   0xe7,   0xea,   0xeb,   0xe8,   0xef,
    0xee,   0xec,   0xc4,   0xc5,   0xc9,   0xe6,   0xc6,   0xf4,   0xf6,   0xf2,   0xfb,   0xf9,
    0xff,   0xd6,   0xdc,   0xf8,   0xa3,   0xd8,   0xd7,   0x192,  0xe1,   0xed,   0xf3,   0xfa,
    0xf1,   0xd1,   0xaa,   0xba,   0xbf,   0xae,   0xac,   0xbd,   0xbc,   0xa1,   0xab,   0xbb,
    0x2591, 0x2592, 0x2593, 0x2502, 0x2524, 0xc1,   0xc2,   0xc0,   0xa9,   0x2563, 0x2551, 0x2557,
    0x255d, 0xa2,   0xa5,   0x2510, 0x2514, 0x2534, 0x252c, 0x251c, 0x2500, 0x253c, 0xe3,   0xc3,
    0x255a, 0x2554, 0x2569, 0x2566, 0x2560, 0x2550, 0x256c, 0xa4,   0xf0,   0xd0,   0xca,   0xcb,
    0xc8,   0x131,  0xcd,   0xce,   0xcf,   0x2518, 0x250c, 0x2588, 0x2584, 0xa6,   0xcc,   0x2580,
    0xd3,   0xdf,   0xd4,   0xd2,   0xf5,   0xd5,   0xb5,   0xfe,   0xde,   0xda,   0xdb,   0xd9,
    0xfd,   0xdd,   0xaf,   0xb4,   0xad,   0xb1,   0x2017, 0xbe,   0xb6,   0xa7,   0xf7,   0xb8,
    0xb0,   0xa8,   0xb7,   0xb9,   0xb3,   0xb2,   0x25a0, 0xa0,
};

// The UTF-8 name in code page 850, or the name unchanged when it is not UTF-8 or holds a
// character that page lacks: its bytes then stay as the file system gave them.
std::string inCodePage850(const std::string& name) {
    std::string text;
    for (std::size_t at = 0; at < name.size();) {
        const auto lead = static_cast<unsigned char>(name[at]);
        if (lead < 0x80) {
            text += name[at++];
            continue;
        }
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || at + length > name.size())
            return name;
        char32_t code = lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(name[at + i]);
            if ((next & 0xC0) != 0x80)
                return name;
            code = (code << 6) | (next & 0x3F);
        }
        at += length;
        const char32_t* found = std::find(std::begin(kCodePage850), std::end(kCodePage850), code);
        if (found == std::end(kCodePage850))
            return name;
        text += static_cast<char>(0x80 + (found - std::begin(kCodePage850)));
    }
    return text;
}

// The command interpreter drops a lone "%" in a batch file, so each one is doubled.
std::string quoted(const std::string& name) {
    std::string text = "\"";
    for (char c : inCodePage850(name)) {
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

bool canCarry(const std::string& fileName) {
    return std::none_of(fileName.begin(), fileName.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == '"' || byte < 0x20 || byte == 0x7F;
    });
}

} // namespace carvel::JoinScript
