// A whole compiled help file, opened and read as the help viewer reads one.
#include "ChmArchive.h"
#include "HelpSitemap.h"
#include "MemoryFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file;
    const auto archive = carvel::ChmArchive::open(file.holding(data, size));
    if (!archive)
        return 0;
    for (const std::string& inner : archive->files())
        carvel::plainText(archive->read(inner).value_or(""));
    carvel::parseSitemap(archive->read(archive->contentsFile()).value_or(""));
    carvel::parseSitemap(archive->read(archive->indexFile()).value_or(""));
    if (const auto type = archive->windowType(archive->defaultWindow()))
        archive->resolve(type->homeTopic);
    archive->resolve(archive->defaultTopic());
    for (std::uint32_t context : {0u, 1u, 7u, 1000u})
        archive->topicForContext(context);
    return 0;
}
