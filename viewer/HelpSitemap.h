#pragma once

#include <string>
#include <vector>

namespace carvel {

// One entry of a help file's contents or index: a name, the topic it leads to, and the
// entries under it.
struct SitemapEntry {
    std::string name;
    std::string local;
    std::vector<SitemapEntry> children;
};

// Reads the sitemap HTML of a contents (.hhc) or index (.hhk) file: nested lists of
// OBJECT elements of type "text/sitemap" carrying "Name" and "Local" parameters.
std::vector<SitemapEntry> parseSitemap(const std::string& html);

// The associative-link names that a topic declares with "ALink Name" parameters.
std::vector<std::string> parseALinkNames(const std::string& html);

// The text of a topic's title element, or empty.
std::string parseTitle(const std::string& html);

// A topic's visible text, without tags and with the common entities decoded, for search.
std::string plainText(const std::string& html);

// Whether a file inside a help file is a topic, an HTML page that search and associative
// links look into.
bool isTopicFile(const std::string& inner);

// The text of topic `number` of a popup text file (".topic N" lines start each topic).
std::string popupTopic(const std::string& text, unsigned number);

} // namespace carvel
