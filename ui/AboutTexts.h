#pragma once

#include <string>

namespace carvel::AboutTexts {

// What the About box says, the same in the Qt and the Windows box.
inline constexpr const char* kProductName = "Carvel";
inline constexpr const char* kNoticeLine = "Copyright \u00a9 2026 Team Carvel";
// The maker's name, its first half in one label and its second half, in italics, in Label2.
inline constexpr const char* kMakerFirstHalf = "Team";
inline constexpr const char* kMakerSecondHalf = "Carvel";
// The link's caption: the short form of the address a user reads.
inline constexpr const char* kLinkCaption = "User Guide";
// The user guide, made from the help file's topics, beside the programs.
inline constexpr const char* kGuideName = "UserGuide.html";

// Shown where no browser could be started for the guide; guide names the file to open by hand.
inline std::string noBrowserText(const std::string& guide) {
    return "No web browser could be started for the User Guide. Please open " + guide +
           " in a web browser.";
}

} // namespace carvel::AboutTexts
