// A program file's version resource, read as the help class reads its viewer's version.
#include "MemoryFile.h"
#include "PeFileVersion.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    const std::string& path = file.holding(data, size);
    carvel::PeFileVersion version;
    const std::uint32_t bytes =
        std::min<std::uint32_t>(version.getFileVersionInfoSize(path), 64000);
    version.queryFixedFileInfo(path, bytes);
    return 0;
}
