#include "Win32HelpViewer.h"

#include "WideText.h"

#include <windows.h>

#include <htmlhelp.h>

namespace carvel {

namespace {

// A text of the records as the viewer reads it: a null pointer where the record has none.
class WideField {
public:
    explicit WideField(const std::optional<std::string>& text)
        : m_present(text.has_value()), m_text(text ? toWide(*text) : std::wstring()) {}
    LPCWSTR pointer() const { return m_present ? m_text.c_str() : nullptr; }

private:
    bool m_present;
    std::wstring m_text;
};

} // namespace

std::intptr_t Win32HelpViewer::htmlHelp(std::intptr_t owner, const std::optional<std::string>& file,
                                        std::uint32_t command, const HelpData& data) {
    const WideField wideFile(file);
    HWND window = reinterpret_cast<HWND>(owner);
    const auto call = [&](DWORD_PTR argument) {
        return reinterpret_cast<std::intptr_t>(
            ::HtmlHelpW(window, wideFile.pointer(), static_cast<UINT>(command), argument));
    };
    if (const auto* number = std::get_if<std::intptr_t>(&data))
        return call(static_cast<DWORD_PTR>(*number));
    if (const auto* topic = std::get_if<std::string>(&data)) {
        const std::wstring wide = toWide(*topic);
        return call(reinterpret_cast<DWORD_PTR>(wide.c_str()));
    }
    if (const auto* query = std::get_if<HhFtsQuery>(&data)) {
        const WideField text(query->pszSearchQuery), windowName(query->pszWindow);
        HH_FTS_QUERY record{};
        record.cbStruct = sizeof record;
        record.fUniCodeStrings = TRUE;
        record.pszSearchQuery = text.pointer();
        record.iProximity = query->iProximity;
        record.fStemmedSearch = query->fStemmedSearch;
        record.fTitleOnly = query->fTitleOnly;
        record.fExecute = query->fExecute;
        record.pszWindow = windowName.pointer();
        return call(reinterpret_cast<DWORD_PTR>(&record));
    }
    if (const auto* link = std::get_if<HhAkLink>(&data)) {
        const WideField keywords(link->pszKeywords), url(link->pszUrl), text(link->pszMsgText),
            title(link->pszMsgTitle), windowName(link->pszWindow);
        HH_AKLINK record{};
        record.cbStruct = sizeof record;
        record.fReserved = link->fReserved;
        record.pszKeywords = keywords.pointer();
        record.pszUrl = url.pointer();
        record.pszMsgText = text.pointer();
        record.pszMsgTitle = title.pointer();
        record.pszWindow = windowName.pointer();
        record.fIndexOnFail = link->fIndexOnFail;
        return call(reinterpret_cast<DWORD_PTR>(&record));
    }
    const HhPopup& popup = std::get<HhPopup>(data);
    const WideField text(popup.pszText), font(popup.pszFont);
    HH_POPUP record{};
    record.cbStruct = sizeof record;
    record.hinst = reinterpret_cast<HINSTANCE>(popup.hinst);
    record.idString = popup.idString;
    record.pszText = text.pointer();
    record.pt = {popup.pt.x, popup.pt.y};
    record.clrForeground = static_cast<COLORREF>(popup.clrForeground);
    record.clrBackground = static_cast<COLORREF>(popup.clrBackground);
    record.rcMargins = {popup.rcMargins.left, popup.rcMargins.top, popup.rcMargins.right,
                        popup.rcMargins.bottom};
    record.pszFont = font.pointer();
    return call(reinterpret_cast<DWORD_PTR>(&record));
}

} // namespace carvel
