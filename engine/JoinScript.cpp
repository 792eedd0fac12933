#include "JoinScript.h"

#include "PieceSet.h"

#include <algorithm>
#include <iterator>
#include <optional>

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

// The code points of a UTF-8 name, or nothing when it is not UTF-8.
std::optional<std::u32string> codePoints(const std::string& name) {
    std::u32string points;
    for (std::size_t at = 0; at < name.size();) {
        const auto lead = static_cast<unsigned char>(name[at]);
        if (lead < 0x80) {
            points += static_cast<char32_t>(name[at++]);
            continue;
        }
        const int length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
        if (length == 0 || at + length > name.size())
            return std::nullopt;
        char32_t code = lead & (0x7F >> length);
        for (int i = 1; i < length; ++i) {
            const auto next = static_cast<unsigned char>(name[at + i]);
            if ((next & 0xC0) != 0x80)
                return std::nullopt;
            code = (code << 6) | (next & 0x3F);
        }
        at += length;
        points += code;
    }
    return points;
}

// The UTF-8 name in code page 850; a name that is not UTF-8 unchanged, its bytes as the file
// system gave them; nothing for a name with a character that page lacks.
std::optional<std::string> inCodePage850(const std::string& name) {
    const auto points = codePoints(name);
    if (!points)
        return name;
    std::string text;
    for (const char32_t code : *points) {
        if (code < 0x80) {
            text += static_cast<char>(code);
            continue;
        }
        const char32_t* found = std::find(std::begin(kCodePage850), std::end(kCodePage850), code);
        if (found == std::end(kCodePage850))
            return std::nullopt;
        text += static_cast<char>(0x80 + (found - std::begin(kCodePage850)));
    }
    return text;
}

// A name that code page 850 cannot carry is matched instead by a wildcard that stands unquoted
// in the script (a quoted one matches nothing under some interpreters): letters, digits, ".",
// "-" and "_" kept, a "?" for each UTF-16 unit of every other character, as the interpreter
// counts them, so that no character of the name can end the wildcard or run as a command.
std::string wildcardOf(const std::string& name) {
    std::string pattern;
    for (const char32_t code : codePoints(name).value_or(std::u32string{})) {
        const bool kept = (code >= 'a' && code <= 'z') || (code >= 'A' && code <= 'Z') ||
                          (code >= '0' && code <= '9') || code == '.' || code == '-' || code == '_';
        if (kept)
            pattern += static_cast<char>(code);
        else
            pattern += code > 0xFFFF ? "??" : "?";
    }
    return pattern;
}

// The command interpreter drops a lone "%" in a batch file, so each one is doubled.
std::string quoted(const std::string& text) {
    std::string word = "\"";
    for (char c : text) {
        word += c;
        if (c == '%')
            word += '%';
    }
    return word + "\"";
}

// Names that code page 850 carries are written into the script. Any other name the script
// takes at run time from piece 1 in its folder, where the interpreter keeps names in Unicode,
// into the variable F; the script itself then holds only ASCII.
bool fromFolder(const std::string& fileName) {
    return !inCodePage850(fileName);
}

std::string nameOf(const std::string& fileName) {
    return fromFolder(fileName) ? std::string("%F%") : *inCodePage850(fileName);
}

// The temporary join file the script builds the source in.
std::string temp(const std::string& fileName) {
    const std::string name = "$$" + nameOf(fileName) + "$$";
    return fromFolder(fileName) ? "\"" + name + "\"" : quoted(name);
}

std::string piece(const std::string& fileName, long long i, int width) {
    const std::string name = nameOf(fileName) + "." + PieceSet::numberText(i, width);
    return fromFolder(fileName) ? "\"" + name + "\"" : quoted(name);
}

} // namespace

std::string head(const std::string& fileName) {
    if (fromFolder(fileName))
        return std::string("@Echo off") + kLineEnd + "Setlocal" + kLineEnd;
    return std::string("@Echo off") + kLineEnd + "Del " + temp(fileName) + " > nul " + kLineEnd;
}

std::string pieceLine(const std::string& fileName, long long i, int width) {
    if (i == 1) {
        std::string lines;
        if (fromFolder(fileName))
            lines = std::string("Set \"F=\"") + kLineEnd + "For %%A in (" + wildcardOf(fileName) +
                    "." + PieceSet::numberText(1, width) + ") do Set \"F=%%~nA\"" + kLineEnd +
                    "If not defined F (Echo Piece 1 of the set is not in this folder.& Exit /b 1)" +
                    kLineEnd + "Del " + temp(fileName) + " > nul " + kLineEnd;
        return lines + "Copy /b " + piece(fileName, 1, width) + " " + temp(fileName) + " > nul " +
               kLineEnd;
    }
    return "Copy /b " + temp(fileName) + "+" + piece(fileName, i, width) + " " + temp(fileName) +
           " > nul " + kLineEnd;
}

std::string tail(const std::string& fileName) {
    const std::string name = fromFolder(fileName) ? "\"%F%\"" : quoted(*inCodePage850(fileName));
    return "Copy /b /-y " + temp(fileName) + "  " + name + kLineEnd + "Del " + temp(fileName) +
           " > nul ";
}

bool sameScript(const std::string& a, const std::string& b) {
    return head(a) + pieceLine(a, 1, 1) + tail(a) == head(b) + pieceLine(b, 1, 1) + tail(b);
}

bool canCarry(const std::string& fileName) {
    return std::none_of(fileName.begin(), fileName.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte == '"' || byte < 0x20 || byte == 0x7F;
    });
}

} // namespace carvel::JoinScript
