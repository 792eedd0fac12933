// A piece size as carvel-cli reads it and as the split panel reads it in two locales, then
// checked against a source of one MiB as the split check does.
#include "MemoryFile.h"
#include "PosixFileSystem.h"
#include "ScriptedMessageBox.h"
#include "flow/PanelChecks.h"
// Both readers are named SizeText.h: carvel-cli's and the split panel's.
#include "cli/SizeText.h"
#include "flow/SizeText.h"

#include <stdexcept>
#include <vector>

namespace {

double readOrZero(const std::function<double()>& read) {
    try {
        return read();
    } catch (const std::runtime_error&) {
        return 0;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile source;
    static const std::vector<std::uint8_t> oneMebibyte(1 << 20);
    static const std::string path = source.holding(oneMebibyte.data(), oneMebibyte.size());
    const std::string text(reinterpret_cast<const char*>(data), size);
    readOrZero([&] { return carvel::sizeTextBytes(text); });
    static const carvel::NumberFormat german{",", ".", U'0', {}};
    static const carvel::NumberFormat french{",", "\u202f", U'0', {}};
    readOrZero([&] { return carvel::SizeText::readNumber(text, {}); });
    readOrZero([&] { return carvel::SizeText::readNumber(text, german); });
    readOrZero([&] { return carvel::SizeText::readNumber(text, french); });

    carvel::PosixFileSystem fs;
    carvel::ScriptedMessageBox box;
    const carvel::NumberReader cli = [](const std::string& t) {
        return carvel::sizeTextBytes(t) / 1024.0;
    };
    const carvel::NumberReader window = [](const std::string& t) {
        return carvel::SizeText::readNumber(t, {});
    };
    carvel::CheckSplitInput(path, text, 0, fs, box, "Carvel", cli);
    carvel::CheckSplitInput(path, text, 1, fs, box, "Carvel", window);
    return 0;
}
