// The system, window and context-map records of a compiled help file, without the archive
// around them. The input is three 16-bit lengths, then the system file, the window file and the
// strings file of those lengths, then the context map.
#include "ChmArchive.h"

#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 6)
        return 0;
    const std::string input(reinterpret_cast<const char*>(data), size);
    std::size_t at = 6;
    const auto part = [&](std::size_t lengthAt) {
        const std::size_t length = data[lengthAt] | std::size_t{data[lengthAt + 1]} << 8;
        const std::string bytes = input.substr(std::min(at, size), length);
        at += bytes.size();
        return bytes;
    };
    const std::string system = part(0), windows = part(2), strings = part(4);
    const std::string map = input.substr(std::min(at, size));

    const carvel::ChmSystem parsed = carvel::parseChmSystem(system);
    carvel::parseChmWindowType(windows, strings, parsed.defaultWindow);
    carvel::parseChmWindowType(windows, strings, "Main");
    for (std::uint32_t context : {0u, 1u, 7u, 1000u})
        carvel::parseChmContextMap(map, strings, context);
    return 0;
}
