// The HTML of a help file's contents, index and topics, and its popup texts.
#include "HelpSitemap.h"

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string html(reinterpret_cast<const char*>(data), size);
    carvel::parseSitemap(html);
    carvel::parseALinkNames(html);
    carvel::parseTitle(html);
    carvel::plainText(html);
    carvel::isTopicFile(html);
    carvel::popupTopic(html, size > 0 ? data[0] % 4 : 0);
    return 0;
}
