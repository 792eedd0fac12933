// A set's checksum file, F.sha256, as a join and verify read it. What it reads back must be
// what the same entries write: a name read wrongly would check the wrong piece.
#include "ChecksumFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto entries = carvel::ChecksumFile::parse(text);
    if (!entries)
        return 0;
    std::string written;
    for (const auto& entry : *entries)
        written += carvel::ChecksumFile::line(entry.digest, entry.name);
    const auto again = carvel::ChecksumFile::parse(written);
    if (!again || again->size() != entries->size())
        std::abort();
    for (std::size_t i = 0; i < entries->size(); ++i)
        if ((*again)[i].digest != (*entries)[i].digest || (*again)[i].name != (*entries)[i].name)
            std::abort();
    return 0;
}
