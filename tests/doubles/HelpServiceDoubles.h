#pragma once

#include "HelpServices.h"
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

namespace carvel {

// Test doubles for every service the help class works through, so a test sees what it asks
// of the viewer, the registry and the file system and can script their answers.
struct HelpServiceDoubles {
    HelpServices services() {
        return HelpServices{viewer,        registry,     files,       longPaths,
                            osVersion,     fileVersions, environment, cursor,
                            defWindowProc, strings,      messageBox};
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
};

} // namespace carvel
