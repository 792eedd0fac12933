#include "ChmArchive.h"

#include "CaseFolding.h"

#include <chm_lib.h>

#include <algorithm>
#include <fstream>
#include <set>

namespace carvel {

namespace {

std::uint32_t le32(const std::string& data, std::size_t at) {
    if (at + 4 > data.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data() + at);
    return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
           std::uint32_t{p[3]} << 24;
}

std::uint16_t le16(const std::string& data, std::size_t at) {
    if (at + 2 > data.size())
        return 0;
    const auto* p = reinterpret_cast<const unsigned char*>(data.data() + at);
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::string withLeadingSlash(const std::string& inner) {
    return !inner.empty() && inner.front() == '/' ? inner : "/" + inner;
}

std::string stringAt(const std::string& strings, std::uint32_t offset) {
    if (offset == 0 || offset >= strings.size())
        return {};
    return std::string(strings.c_str() + offset);
}

// A number of a directory entry: seven bits a byte, the high bit set on all but the last. As
// in chmlib, any number of bytes may make one, the high bits falling off.
std::optional<std::uint64_t> directoryNumber(const std::string& block, std::size_t& at) {
    std::uint64_t value = 0;
    while (at < block.size()) {
        const auto c = static_cast<unsigned char>(block[at++]);
        value = value << 7 | (c & 0x7Fu);
        if ((c & 0x80) == 0)
            return value;
    }
    return std::nullopt;
}

// chmlib takes a compiled help file's directory as it finds it: it allocates a block of the
// directory's block length for every look-up; it follows the chain of listing blocks until it
// ends, round and round if it loops; it divides by half the window of the compression's control
// data before it has checked that data, which may not even be there; and it divides by zero when
// the reset table or the control data is itself compressed. Writers of compiled help files use
// 4 KiB blocks in a chain that ends, and uncompressed control data of 24 bytes or more naming a
// window of 32 KiB or more. A file with anything else is refused before chmlib reads it.
bool directorySound(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const auto bytesAt = [&in](std::uint64_t offset, std::size_t size) {
        std::string bytes(size, '\0');
        in.clear();
        in.seekg(static_cast<std::streamoff>(offset));
        if (!in.read(bytes.data(), static_cast<std::streamsize>(size)))
            bytes.clear();
        return bytes;
    };
    const auto u64 = [](const std::string& bytes, std::size_t at) {
        return le32(bytes, at) | std::uint64_t{le32(bytes, at + 4)} << 32;
    };
    const std::string header = bytesAt(0, 0x58);
    if (header.empty())
        return true; // chmlib refuses it itself
    const std::uint64_t directory = u64(header, 0x48);
    const std::string data = le32(header, 4) >= 3 ? bytesAt(0x58, 8) : std::string();
    const std::uint64_t content = data.empty() ? directory + u64(header, 0x50) : u64(data, 0);
    const std::string itsp = bytesAt(directory, 0x24);
    if (itsp.empty())
        return true;
    const std::uint32_t blockLength = le32(itsp, 0x10);
    if (blockLength > 1u << 20)
        return false;
    const std::uint64_t blocks = directory + le32(itsp, 0x08);
    std::set<std::uint32_t> visited;
    for (std::uint32_t block = le32(itsp, 0x20); block != 0xFFFFFFFF;) {
        if (!visited.insert(block).second)
            return false;
        const std::string listing = bytesAt(blocks + std::uint64_t{block} * blockLength, 0x14);
        if (listing.empty() || listing.compare(0, 4, "PMGL") != 0)
            break; // chmlib stops there
        block = le32(listing, 0x10);
    }

    // The control data may be found through any listing block, so every one is looked into.
    const std::string kControlData = "::dataspace/storage/mscompressed/controldata";
    const std::string kResetTable = "::dataspace/storage/mscompressed/transform/"
                                    "{7fc28940-9d31-11d0-9b27-00a0c91e9c7c}/instancedata/"
                                    "resettable";
    for (std::uint64_t at = blocks; blockLength >= 0x14; at += blockLength) {
        const std::string listing = bytesAt(at, blockLength);
        if (listing.empty())
            break;
        if (listing.compare(0, 4, "PMGL") != 0)
            continue;
        const std::size_t end = blockLength - std::min(le32(listing, 4), blockLength);
        for (std::size_t entry = 0x14; entry < end;) {
            const auto nameLength = directoryNumber(listing, entry);
            // chmlib takes names of up to 512 bytes, even past the entries' end.
            if (!nameLength || *nameLength > 512 || *nameLength > listing.size() - entry)
                break;
            const std::string name = listing.substr(entry, static_cast<std::size_t>(*nameLength));
            entry += name.size();
            const auto space = directoryNumber(listing, entry);
            const auto start = directoryNumber(listing, entry);
            const auto length = directoryNumber(listing, entry);
            if (!space || !start || !length)
                break;
            // Read while the file opens, the reset table must not itself need decompressing.
            if (folded(name) == kResetTable && *space != 0)
                return false;
            if (folded(name) != kControlData)
                continue;
            const std::string control = *space == 0 && *length >= 0x18 && *length <= 0x100
                                            ? bytesAt(content + *start, *length)
                                            : std::string();
            const std::uint32_t unit = le32(control, 8) == 2 ? 0x8000 : 1;
            if (control.empty() || control.compare(4, 4, "LZXC") != 0 ||
                le32(control, 16) * unit < 0x8000)
                return false;
        }
    }
    return true;
}

// An internal file of the uncompressed section, if it holds at least size bytes.
std::optional<std::string> uncompressedObject(chmFile* handle, const char* path, std::size_t size) {
    chmUnitInfo unit{};
    if (chm_resolve_object(handle, path, &unit) != CHM_RESOLVE_SUCCESS ||
        unit.space != CHM_UNCOMPRESSED || unit.length < size)
        return std::nullopt;
    std::string bytes(size, '\0');
    if (chm_retrieve_object(handle, &unit, reinterpret_cast<unsigned char*>(bytes.data()), 0,
                            static_cast<LONGINT64>(size)) != static_cast<LONGINT64>(size))
        return std::nullopt;
    return bytes;
}

// chmlib trusts the parameters of the compressed section: it allocates by the reset table's
// block length, decompresses with no decompressor when the window is outside LZX's 32 KiB to
// 2 MiB, and divides by the blocks per reset. Writers of compiled help files use 32 KiB blocks
// and a window of 64 KiB; a file whose compressed section says otherwise is refused.
bool compressionSound(chmFile* handle) {
    const std::optional<std::string> table =
        uncompressedObject(handle,
                           "::DataSpace/Storage/MSCompressed/Transform/"
                           "{7FC28940-9D31-11D0-9B27-00A0C91E9C7C}/InstanceData/ResetTable",
                           0x28);
    if (!table)
        return true; // no compressed section
    const std::optional<std::string> control =
        uncompressedObject(handle, "::DataSpace/Storage/MSCompressed/ControlData", 0x1C);
    if (!control || control->compare(4, 4, "LZXC") != 0)
        return false;
    // Version 2 counts the interval and the window in 32 KiB units, as chmlib does.
    const std::uint32_t unit = le32(*control, 8) == 2 ? 0x8000 : 1;
    const std::uint32_t interval = le32(*control, 12) * unit;
    const std::uint32_t window = le32(*control, 16) * unit;
    const std::uint32_t windowsPerReset = le32(*control, 20);
    if (window < 0x8000 || window > 0x200000 || (window & (window - 1)) != 0 || interval == 0 ||
        interval % (window / 2) != 0 || interval / (window / 2) * windowsPerReset == 0)
        return false;
    const std::uint64_t blockLength = le32(*table, 0x20) | std::uint64_t{le32(*table, 0x24)} << 32;
    return blockLength > 0 && blockLength <= window;
}

int collectFile(chmFile* /*handle*/, chmUnitInfo* unit, void* context) {
    const std::string path = unit->path;
    if (path.size() > 1 && path[0] == '/' && path[1] != '#' && path[1] != '$' && path.back() != '/')
        static_cast<std::vector<std::string>*>(context)->push_back(path);
    return CHM_ENUMERATOR_CONTINUE;
}

} // namespace

std::unique_ptr<ChmArchive> ChmArchive::open(const std::string& path) {
    if (!directorySound(path))
        return nullptr;
    chmFile* handle = chm_open(path.c_str());
    if (handle == nullptr)
        return nullptr;
    if (!compressionSound(handle)) {
        chm_close(handle);
        return nullptr;
    }
    std::unique_ptr<ChmArchive> archive(new ChmArchive(path, handle));
    chm_enumerate(handle, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, collectFile,
                  &archive->m_files);
    archive->m_strings = archive->read("/#STRINGS").value_or("");
    const ChmSystem system = parseChmSystem(archive->read("/#SYSTEM").value_or(""));
    archive->m_title = system.title;
    archive->m_contentsFile = system.contentsFile;
    archive->m_indexFile = system.indexFile;
    archive->m_defaultTopic = system.defaultTopic;
    archive->m_defaultWindow = system.defaultWindow;
    return archive;
}

ChmArchive::ChmArchive(std::string path, chmFile* handle)
    : m_path(std::move(path)), m_handle(handle) {}

ChmArchive::~ChmArchive() {
    chm_close(m_handle);
}

std::optional<std::string> ChmArchive::read(const std::string& inner) const {
    chmUnitInfo unit{};
    if (chm_resolve_object(m_handle, withLeadingSlash(inner).c_str(), &unit) != CHM_RESOLVE_SUCCESS)
        return std::nullopt;
    // The length comes from the file: the data grows only by what chmlib gives, a mebibyte at
    // a time, so a file claiming more than it holds costs no more memory than it holds.
    constexpr LONGUINT64 kStep = 1 << 20;
    std::string data;
    while (data.size() < unit.length) {
        const LONGUINT64 at = data.size();
        const LONGUINT64 step = std::min(kStep, unit.length - at);
        data.resize(static_cast<std::size_t>(at + step));
        const LONGINT64 got =
            chm_retrieve_object(m_handle, &unit, reinterpret_cast<unsigned char*>(data.data() + at),
                                at, static_cast<LONGINT64>(step));
        if (got != static_cast<LONGINT64>(step))
            return std::nullopt;
    }
    return data;
}

bool ChmArchive::contains(const std::string& inner) const {
    chmUnitInfo unit{};
    return chm_resolve_object(m_handle, withLeadingSlash(inner).c_str(), &unit) ==
           CHM_RESOLVE_SUCCESS;
}

// The system file is a version followed by records of a 16-bit code, a 16-bit length and
// that many bytes of data; the texts end in a null character.
ChmSystem parseChmSystem(const std::string& system) {
    ChmSystem parsed;
    for (std::size_t at = 4; at + 4 <= system.size();) {
        const std::uint16_t code = le16(system, at);
        const std::uint16_t length = le16(system, at + 2);
        const std::string data = system.substr(at + 4, length);
        const std::string text = data.substr(0, data.find('\0'));
        switch (code) {
        case 0:
            parsed.contentsFile = text;
            break;
        case 1:
            parsed.indexFile = text;
            break;
        case 2:
            parsed.defaultTopic = text;
            break;
        case 3:
            parsed.title = text;
            break;
        case 5:
            parsed.defaultWindow = text;
            break;
        default:
            break;
        }
        at += 4u + length;
    }
    return parsed;
}

// The window file is a count and an entry size followed by the entries; their texts are
// offsets into the strings file.
std::optional<ChmWindowType> parseChmWindowType(const std::string& windows,
                                                const std::string& strings,
                                                const std::string& name) {
    const std::uint32_t count = le32(windows, 0);
    const std::uint32_t size = le32(windows, 4);
    if (size < 0x70)
        return std::nullopt;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = 8 + std::size_t{i} * size;
        if (entry + size > windows.size())
            break;
        ChmWindowType type;
        type.name = stringAt(strings, le32(windows, entry + 0x08));
        if (folded(type.name) != folded(name))
            continue;
        type.caption = stringAt(strings, le32(windows, entry + 0x14));
        type.left = static_cast<std::int32_t>(le32(windows, entry + 0x20));
        type.top = static_cast<std::int32_t>(le32(windows, entry + 0x24));
        type.right = static_cast<std::int32_t>(le32(windows, entry + 0x28));
        type.bottom = static_cast<std::int32_t>(le32(windows, entry + 0x2C));
        type.navigationWidth = static_cast<std::int32_t>(le32(windows, entry + 0x4C));
        type.contentsFile = stringAt(strings, le32(windows, entry + 0x60));
        type.indexFile = stringAt(strings, le32(windows, entry + 0x64));
        type.defaultTopic = stringAt(strings, le32(windows, entry + 0x68));
        type.homeTopic = stringAt(strings, le32(windows, entry + 0x6C));
        return type;
    }
    return std::nullopt;
}

// The context map is its length followed by pairs of a context number and an offset into
// the strings file, where the topic's path is.
std::optional<std::string> parseChmContextMap(const std::string& map, const std::string& strings,
                                              std::uint32_t context) {
    const std::uint32_t length = std::min<std::uint32_t>(
        le32(map, 0), static_cast<std::uint32_t>(map.size() >= 4 ? map.size() - 4 : 0));
    for (std::size_t at = 4; at + 8 <= 4 + std::size_t{length}; at += 8)
        if (le32(map, at) == context)
            return stringAt(strings, le32(map, at + 4));
    return std::nullopt;
}

std::optional<ChmWindowType> ChmArchive::windowType(const std::string& name) const {
    return parseChmWindowType(read("/#WINDOWS").value_or(""), m_strings, name);
}

std::optional<std::string> ChmArchive::topicForContext(std::uint32_t context) const {
    const std::optional<std::string> reference =
        parseChmContextMap(read("/#IVB").value_or(""), m_strings, context);
    return reference ? resolve(*reference) : std::nullopt;
}

std::optional<std::string> ChmArchive::resolve(const std::string& reference) const {
    std::string path = reference;
    std::replace(path.begin(), path.end(), '\\', '/');
    while (!path.empty()) {
        if (contains(path))
            return withLeadingSlash(path);
        const std::size_t slash = path.find('/', 1);
        if (slash == std::string::npos)
            break;
        path.erase(0, slash);
    }
    return std::nullopt;
}

} // namespace carvel
