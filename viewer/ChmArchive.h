#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

struct chmFile;

namespace carvel {

// A window type defined in a compiled help file.
struct ChmWindowType {
    std::string name;
    std::string caption;
    std::string contentsFile;
    std::string indexFile;
    std::string defaultTopic;
    std::string homeTopic;
    std::int32_t left = 0, top = 0, right = 0, bottom = 0; // all 0 when the file sets none
    std::int32_t navigationWidth = 0;
};

// The settings that a compiled help file's system records give.
struct ChmSystem {
    std::string title, contentsFile, indexFile, defaultTopic, defaultWindow;
};

// The records inside a compiled help file, read from the bytes of its internal files. They come
// from the file, so nothing in them is trusted: no offset or length reaches outside its bytes.
ChmSystem parseChmSystem(const std::string& system);
std::optional<ChmWindowType>
parseChmWindowType(const std::string& windows, const std::string& strings, const std::string& name);
// The reference (not yet resolved to a file of the archive) that the context map gives.
std::optional<std::string> parseChmContextMap(const std::string& map, const std::string& strings,
                                              std::uint32_t context);

// A compiled help file, read with chmlib: its files, its system settings, its window types
// and its context numbers.
class ChmArchive final {
public:
    // nullptr when the file cannot be opened as a compiled help file.
    static std::unique_ptr<ChmArchive> open(const std::string& path);
    ~ChmArchive();
    ChmArchive(const ChmArchive&) = delete;
    ChmArchive& operator=(const ChmArchive&) = delete;

    const std::string& path() const { return m_path; }
    // A file inside the archive, by its path there ("/Welcome.htm" or "Welcome.htm").
    std::optional<std::string> read(const std::string& inner) const;
    bool contains(const std::string& inner) const;
    // The archive's own files, without its internal ones ("#..." and "$...").
    const std::vector<std::string>& files() const { return m_files; }

    const std::string& title() const { return m_title; }
    const std::string& contentsFile() const { return m_contentsFile; }
    const std::string& indexFile() const { return m_indexFile; }
    const std::string& defaultTopic() const { return m_defaultTopic; }
    const std::string& defaultWindow() const { return m_defaultWindow; }
    std::optional<ChmWindowType> windowType(const std::string& name) const;
    // The topic mapped to a context number, as a path inside the archive.
    std::optional<std::string> topicForContext(std::uint32_t context) const;
    // The path inside the archive that a reference names: compilers may record topics under
    // the absolute path they compiled them from, so the longest tail of that path which
    // names a file in the archive is taken.
    std::optional<std::string> resolve(const std::string& reference) const;

private:
    ChmArchive(std::string path, chmFile* handle);
    std::string m_path;
    chmFile* m_handle;
    std::vector<std::string> m_files;
    std::string m_strings;
    std::string m_title, m_contentsFile, m_indexFile, m_defaultTopic, m_defaultWindow;
};

} // namespace carvel
