#include "PeFileVersion.h"

#include <cstring>
#include <fstream>

namespace carvel {

namespace {

constexpr std::uint32_t kResourceTypeVersion = 16;
constexpr std::uint32_t kSubdirectoryBit = 0x80000000u;

// A file read at random offsets; every read either fills its whole buffer or fails.
class Reader {
public:
    explicit Reader(const std::string& path) : m_in(path, std::ios::binary) {}
    bool ok() const { return static_cast<bool>(m_in); }

    bool read(std::uint64_t offset, void* out, std::size_t size) {
        m_in.clear();
        m_in.seekg(static_cast<std::streamoff>(offset));
        m_in.read(static_cast<char*>(out), static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(m_in.gcount()) == size;
    }
    std::optional<std::uint32_t> u32(std::uint64_t offset) {
        unsigned char b[4];
        if (!read(offset, b, 4))
            return std::nullopt;
        return std::uint32_t{b[0]} | std::uint32_t{b[1]} << 8 | std::uint32_t{b[2]} << 16 |
               std::uint32_t{b[3]} << 24;
    }
    std::optional<std::uint16_t> u16(std::uint64_t offset) {
        unsigned char b[2];
        if (!read(offset, b, 2))
            return std::nullopt;
        return static_cast<std::uint16_t>(b[0] | b[1] << 8);
    }

private:
    std::ifstream m_in;
};

struct Section {
    std::uint32_t virtualAddress = 0;
    std::uint32_t virtualSize = 0;
    std::uint32_t rawOffset = 0;
    std::uint32_t rawSize = 0;
};

struct Located {
    std::uint64_t fileOffset = 0;
    std::uint32_t size = 0;
};

std::optional<std::uint64_t> fileOffsetOf(const std::vector<Section>& sections, std::uint32_t rva) {
    for (const Section& s : sections) {
        const std::uint32_t extent = std::max(s.virtualSize, s.rawSize);
        if (rva >= s.virtualAddress && rva - s.virtualAddress < extent)
            return std::uint64_t{s.rawOffset} + (rva - s.virtualAddress);
    }
    return std::nullopt;
}

// The first entry of a resource directory whose id is wanted (or the first of all when no id
// is wanted); answers the entry's offset field.
std::optional<std::uint32_t> directoryEntry(Reader& in, std::uint64_t directory,
                                            std::optional<std::uint32_t> wantedId) {
    const auto named = in.u16(directory + 12);
    const auto ids = in.u16(directory + 14);
    if (!named || !ids)
        return std::nullopt;
    const unsigned count = unsigned{*named} + unsigned{*ids};
    for (unsigned i = 0; i < count && i < 4096; ++i) {
        const std::uint64_t entry = directory + 16 + 8ull * i;
        const auto name = in.u32(entry);
        const auto offset = in.u32(entry + 4);
        if (!name || !offset)
            return std::nullopt;
        if (!wantedId || ((*name & kSubdirectoryBit) == 0 && *name == *wantedId))
            return *offset;
    }
    return std::nullopt;
}

std::optional<Located> locateVersionResource(Reader& in) {
    unsigned char mz[2];
    if (!in.read(0, mz, 2) || mz[0] != 'M' || mz[1] != 'Z')
        return std::nullopt;
    const auto peOffset = in.u32(0x3C);
    if (!peOffset)
        return std::nullopt;
    unsigned char signature[4];
    if (!in.read(*peOffset, signature, 4) || std::memcmp(signature, "PE\0\0", 4) != 0)
        return std::nullopt;
    const std::uint64_t coff = *peOffset + 4ull;
    const auto sectionCount = in.u16(coff + 2);
    const auto optionalSize = in.u16(coff + 16);
    const std::uint64_t optional = coff + 20;
    const auto magic = in.u16(optional);
    if (!sectionCount || !optionalSize || !magic)
        return std::nullopt;
    const bool pe32Plus = *magic == 0x20B;
    if (!pe32Plus && *magic != 0x10B)
        return std::nullopt;
    const std::uint64_t directories = optional + (pe32Plus ? 112 : 96);
    const auto directoryCount = in.u32(optional + (pe32Plus ? 108 : 92));
    if (!directoryCount || *directoryCount < 3)
        return std::nullopt;
    const auto resourceRva = in.u32(directories + 2 * 8);
    if (!resourceRva || *resourceRva == 0)
        return std::nullopt;

    std::vector<Section> sections;
    const std::uint64_t table = optional + *optionalSize;
    for (unsigned i = 0; i < *sectionCount && i < 96; ++i) {
        const std::uint64_t at = table + 40ull * i;
        const auto vsize = in.u32(at + 8), vaddr = in.u32(at + 12), rsize = in.u32(at + 16),
                   roff = in.u32(at + 20);
        if (!vsize || !vaddr || !rsize || !roff)
            return std::nullopt;
        sections.push_back({*vaddr, *vsize, *roff, *rsize});
    }
    const auto root = fileOffsetOf(sections, *resourceRva);
    if (!root)
        return std::nullopt;

    // Type, then name, then language; the version resource has one of each in practice.
    auto level = directoryEntry(in, *root, kResourceTypeVersion);
    for (int depth = 0; depth < 2 && level; ++depth) {
        if ((*level & kSubdirectoryBit) == 0)
            return std::nullopt;
        level = directoryEntry(in, *root + (*level & ~kSubdirectoryBit), std::nullopt);
    }
    if (!level || (*level & kSubdirectoryBit) != 0)
        return std::nullopt;
    const auto dataRva = in.u32(*root + *level);
    const auto dataSize = in.u32(*root + *level + 4);
    if (!dataRva || !dataSize)
        return std::nullopt;
    const auto data = fileOffsetOf(sections, *dataRva);
    if (!data)
        return std::nullopt;
    return Located{*data, *dataSize};
}

std::uint32_t readLE32(const unsigned char* p) {
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

} // namespace

std::vector<unsigned char> PeFileVersion::readVersionResource(const std::string& path,
                                                              std::uint32_t maxBytes) {
    Reader in(path);
    if (!in.ok())
        return {};
    const auto located = locateVersionResource(in);
    if (!located)
        return {};
    std::vector<unsigned char> bytes(std::min(located->size, maxBytes));
    if (!in.read(located->fileOffset, bytes.data(), bytes.size()))
        return {};
    return bytes;
}

std::uint32_t PeFileVersion::getFileVersionInfoSize(const std::string& path) {
    Reader in(path);
    if (!in.ok())
        return 0;
    const auto located = locateVersionResource(in);
    return located ? located->size : 0;
}

std::optional<FixedFileInfo> PeFileVersion::queryFixedFileInfo(const std::string& path,
                                                               std::uint32_t bufferSize) {
    const std::vector<unsigned char> block = readVersionResource(path, bufferSize);
    // The root block is a header, the key "VS_VERSION_INFO" in UTF-16 and padding, followed
    // by the fixed part on a 32-bit boundary; its signature marks where it starts.
    for (std::size_t at = 0; at + 24 <= block.size() && at < 128; at += 4) {
        if (readLE32(&block[at]) != 0xFEEF04BD)
            continue;
        FixedFileInfo info;
        info.fileVersionMS = readLE32(&block[at + 8]);
        info.fileVersionLS = readLE32(&block[at + 12]);
        info.productVersionMS = readLE32(&block[at + 16]);
        info.productVersionLS = readLE32(&block[at + 20]);
        return info;
    }
    return std::nullopt;
}

} // namespace carvel
