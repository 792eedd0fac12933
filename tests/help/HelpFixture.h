#pragma once

#include "HTMLHelp.h"
#include "HelpServiceDoubles.h"

#include <gtest/gtest.h>

namespace carvel {

inline const std::string kProgramFolder = "/opt/carvel";
inline const std::string kHelpFileKey = "Software\\Microsoft\\Windows\\HTML Help";

// An HTMLHelp object over test doubles for every service it calls.
class HelpFixture : public ::testing::Test, protected HelpServiceDoubles {
protected:
    HelpFixture() { strings = StringTable({{7, "Pieces are numbered from 1."}}); }

    const RecordingHelpViewer::Call& onlyCall() {
        EXPECT_EQ(viewer.calls().size(), 1u);
        return viewer.calls().back();
    }
    std::vector<std::string> messageTexts() const {
        std::vector<std::string> texts;
        for (const MessageRequest& request : messageBox.shown())
            texts.push_back(request.text);
        return texts;
    }

    HTMLHelp help{services(), kProgramFolder};
};

} // namespace carvel
