#include "HelpSitemap.h"

#include "CaseFolding.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace carvel {

namespace {

std::string decodeEntities(const std::string& text) {
    static const std::pair<const char*, const char*> kEntities[] = {
        {"&amp;", "&"}, {"&lt;", "<"},   {"&gt;", ">"},   {"&quot;", "\""},
        {"&#39;", "'"}, {"&nbsp;", " "}, {"&minus;", "-"}};
    std::string out;
    for (std::size_t at = 0; at < text.size();) {
        bool replaced = false;
        if (text[at] == '&')
            for (const auto& [entity, value] : kEntities) {
                const std::size_t length = std::char_traits<char>::length(entity);
                if (text.compare(at, length, entity) == 0) {
                    out += value;
                    at += length;
                    replaced = true;
                    break;
                }
            }
        if (!replaced)
            out += text[at++];
    }
    return out;
}

// The value of an attribute inside one tag's text, quoted or not.
std::string attribute(const std::string& tag, const std::string& name) {
    const std::string lower = folded(tag);
    for (std::size_t at = lower.find(name); at != std::string::npos;
         at = lower.find(name, at + 1)) {
        const bool startsWord = at > 0 && std::isspace(static_cast<unsigned char>(lower[at - 1]));
        std::size_t pos = at + name.size();
        while (pos < tag.size() && std::isspace(static_cast<unsigned char>(tag[pos])))
            ++pos;
        if (!startsWord || pos >= tag.size() || tag[pos] != '=')
            continue;
        ++pos;
        while (pos < tag.size() && std::isspace(static_cast<unsigned char>(tag[pos])))
            ++pos;
        if (pos < tag.size() && (tag[pos] == '"' || tag[pos] == '\'')) {
            const char quote = tag[pos];
            const std::size_t end = tag.find(quote, pos + 1);
            return decodeEntities(
                tag.substr(pos + 1, end == std::string::npos ? std::string::npos : end - pos - 1));
        }
        std::size_t end = pos;
        while (end < tag.size() && !std::isspace(static_cast<unsigned char>(tag[end])) &&
               tag[end] != '>')
            ++end;
        return decodeEntities(tag.substr(pos, end - pos));
    }
    return {};
}

struct Tag {
    std::string name; // lower case, "/ul" for a closing tag
    std::string text; // the whole tag
};

// Visits the tags of a document in order.
template <typename Visit> void forEachTag(const std::string& html, Visit visit) {
    for (std::size_t at = html.find('<'); at != std::string::npos; at = html.find('<', at + 1)) {
        const std::size_t end = html.find('>', at);
        if (end == std::string::npos)
            return;
        const std::string text = html.substr(at, end - at + 1);
        std::size_t nameEnd = 1;
        while (nameEnd < text.size() && !std::isspace(static_cast<unsigned char>(text[nameEnd])) &&
               text[nameEnd] != '>')
            ++nameEnd;
        visit(Tag{folded(text.substr(1, nameEnd - 1)), text});
        at = end;
    }
}

} // namespace

std::vector<SitemapEntry> parseSitemap(const std::string& html) {
    std::vector<SitemapEntry> root;
    // The lists being filled, innermost last; a nested list belongs to the entry before it.
    std::vector<std::vector<SitemapEntry>*> lists{&root};
    int depth = 0;
    bool inEntry = false;
    SitemapEntry entry;
    forEachTag(html, [&](const Tag& tag) {
        if (tag.name == "ul") {
            ++depth;
            if (depth > 1) {
                std::vector<SitemapEntry>* current = lists.back();
                if (!current->empty())
                    lists.push_back(&current->back().children);
                else
                    lists.push_back(current);
            }
        } else if (tag.name == "/ul") {
            if (depth > 1 && lists.size() > 1)
                lists.pop_back();
            depth = std::max(0, depth - 1);
        } else if (tag.name == "object") {
            inEntry = folded(attribute(tag.text, "type")) == "text/sitemap";
            entry = SitemapEntry{};
        } else if (tag.name == "param" && inEntry) {
            const std::string name = folded(attribute(tag.text, "name"));
            if (name == "name" && entry.name.empty())
                entry.name = attribute(tag.text, "value");
            else if (name == "local" && entry.local.empty())
                entry.local = attribute(tag.text, "value");
        } else if (tag.name == "/object" && inEntry) {
            inEntry = false;
            if (!entry.name.empty())
                lists.back()->push_back(std::move(entry));
        }
    });
    return root;
}

std::vector<std::string> parseALinkNames(const std::string& html) {
    std::vector<std::string> names;
    forEachTag(html, [&](const Tag& tag) {
        if (tag.name == "param" && folded(attribute(tag.text, "name")) == "alink name") {
            std::stringstream values(attribute(tag.text, "value"));
            for (std::string name; std::getline(values, name, ';');)
                if (!name.empty())
                    names.push_back(name);
        }
    });
    return names;
}

std::string parseTitle(const std::string& html) {
    const std::string lower = folded(html);
    const std::size_t open = lower.find("<title>");
    const std::size_t close = lower.find("</title>");
    if (open == std::string::npos || close == std::string::npos || close < open)
        return {};
    return decodeEntities(html.substr(open + 7, close - open - 7));
}

std::string plainText(const std::string& html) {
    std::string text;
    const std::string lower = folded(html);
    std::size_t at = 0;
    // Only the body is text a reader sees.
    const std::size_t body = lower.find("<body");
    if (body != std::string::npos)
        at = body;
    while (at < html.size()) {
        const std::size_t open = html.find('<', at);
        text += html.substr(at, open == std::string::npos ? std::string::npos : open - at);
        if (open == std::string::npos)
            break;
        const std::size_t close = html.find('>', open);
        if (close == std::string::npos)
            break;
        text += ' ';
        at = close + 1;
    }
    return decodeEntities(text);
}

bool isTopicFile(const std::string& inner) {
    return endsWithIgnoringCase(inner, ".htm") || endsWithIgnoringCase(inner, ".html");
}

std::string popupTopic(const std::string& text, unsigned number) {
    std::stringstream lines(text);
    std::string found;
    bool inTopic = false;
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind(".topic", 0) == 0) {
            if (inTopic)
                break;
            inTopic = std::strtoul(line.c_str() + 6, nullptr, 10) == number;
            continue;
        }
        if (inTopic)
            found += (found.empty() ? "" : "\n") + line;
    }
    return found;
}

} // namespace carvel
