#pragma once

#include "HTMLHelp.h"
#include "RecordingDefWindowProc.h"
#include "RecordingHelpViewer.h"
#include "RecordingRegistry.h"
#include "ScriptedCursorPosition.h"
#include "ScriptedEnvironment.h"
#include "ScriptedFileFinder.h"
#include "ScriptedFileVersion.h"
#include "ScriptedLongPathName.h"
#include "ScriptedMessageBox.h"
#include "ScriptedOsVersion.h"
#include "StringTable.h"

#include <gtest/gtest.h>

namespace carvel {

inline const std::string kProgramFolder = "/opt/carvel";
inline const std::string kHelpFileKey = "Software\\Microsoft\\Windows\\HTML Help";

// An HTMLHelp object over test doubles for every service it calls.
class HelpFixture : public ::testing::Test {
protected:
    HelpFixture()
        : strings({{7, "Pieces are numbered from 1."}}),
          help(HelpServices{viewer, registry, files, longPaths, osVersion, fileVersions,
                            environment, cursor, defWindowProc, strings, messageBox},
               kProgramFolder) {}

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

    RecordingHelpViewer viewer;
    RecordingRegistry registry;
    ScriptedFileFinder files;
    ScriptedLongPathName longPaths;
    ScriptedOsVersion osVersion;
    ScriptedFileVersion fileVersions;
    ScriptedEnvironment environment;
    ScriptedCursorPosition cursor;
    RecordingDefWindowProc defWindowProc;
    StringTable strings;
    ScriptedMessageBox messageBox;
    HTMLHelp help;
};

} // namespace carvel
