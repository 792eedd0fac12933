#pragma once

#include "IHelpViewer.h"

namespace carvel {

// The system's HTML Help viewer through HtmlHelpW (hhctrl.ocx, loaded by MinGW's htmlhelp
// library on first use), so that any folder name reaches it. The records are passed in their
// wide form. The viewer's windows belong to the calling thread, which must run a message loop.
class Win32HelpViewer final : public IHelpViewer {
public:
    std::intptr_t htmlHelp(std::intptr_t owner, const std::optional<std::string>& file,
                           std::uint32_t command, const HelpData& data) override;
};

} // namespace carvel
