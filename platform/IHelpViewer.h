#pragma once

#include "ScreenPoint.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>

namespace carvel {

// Command numbers of the HTML Help interface, under their published names.
inline constexpr std::uint32_t HH_DISPLAY_TOPIC = 0;
inline constexpr std::uint32_t HH_DISPLAY_TOC = 1;
inline constexpr std::uint32_t HH_DISPLAY_INDEX = 2;
inline constexpr std::uint32_t HH_DISPLAY_SEARCH = 3;
inline constexpr std::uint32_t HH_KEYWORD_LOOKUP = 13;
inline constexpr std::uint32_t HH_DISPLAY_TEXT_POPUP = 14;
inline constexpr std::uint32_t HH_HELP_CONTEXT = 15;
inline constexpr std::uint32_t HH_CLOSE_ALL = 18;
inline constexpr std::uint32_t HH_ALINK_LOOKUP = 19;

// The records the viewer reads. A string member is a pointer in the viewer's interface, so an
// empty optional is a null pointer and an empty string is a pointer to empty text: the viewer
// treats them differently (a null one means "use your own default").
struct HhFtsQuery {
    std::int32_t cbStruct = 32;
    bool fUniCodeStrings = false;
    std::optional<std::string> pszSearchQuery;
    std::int32_t iProximity = 0;
    bool fStemmedSearch = false;
    bool fTitleOnly = false;
    bool fExecute = false;
    std::optional<std::string> pszWindow;
    bool operator==(const HhFtsQuery&) const = default;
};

struct HhAkLink {
    std::int32_t cbStruct = 32;
    bool fReserved = false;
    std::optional<std::string> pszKeywords;
    std::optional<std::string> pszUrl;
    std::optional<std::string> pszMsgText;
    std::optional<std::string> pszMsgTitle;
    std::optional<std::string> pszWindow;
    bool fIndexOnFail = false;
    bool operator==(const HhAkLink&) const = default;
};

struct HhMargins {
    std::int32_t left = -1;
    std::int32_t top = -1;
    std::int32_t right = -1;
    std::int32_t bottom = -1;
    bool operator==(const HhMargins&) const = default;
};

// Colours are red-green-blue values with red in the lowest byte; -1 is the viewer's default.
struct HhPopup {
    std::int32_t cbStruct = 52;
    std::intptr_t hinst = 0;
    std::uint32_t idString = 0;
    std::optional<std::string> pszText;
    ScreenPoint pt;
    std::int32_t clrForeground = -1;
    std::int32_t clrBackground = -1;
    HhMargins rcMargins;
    std::optional<std::string> pszFont;
    bool operator==(const HhPopup&) const = default;
};

// The data argument: a plain number (0 for none, or a context number), the text of a topic
// path, or one of the records.
using HelpData = std::variant<std::intptr_t, std::string, HhFtsQuery, HhAkLink, HhPopup>;

// The HTML Help viewer. The file argument is the help file, optionally followed by ">" and a
// window type, or by "::/" and a file inside it; it is null for popups of given text. The
// owner is a window handle, 0 for none. Answers the help window's handle, 0 when none.
class IHelpViewer {
public:
    virtual ~IHelpViewer() = default;
    virtual std::intptr_t htmlHelp(std::intptr_t owner, const std::optional<std::string>& file,
                                   std::uint32_t command, const HelpData& data) = 0;
};

} // namespace carvel
