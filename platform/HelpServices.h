#pragma once

#include "ICursorPosition.h"
#include "IDefWindowProc.h"
#include "IEnvironment.h"
#include "IFileFinder.h"
#include "IFileVersion.h"
#include "IHelpViewer.h"
#include "ILongPathName.h"
#include "IMessageBox.h"
#include "IOsVersion.h"
#include "IRegistry.h"
#include "IStringResources.h"

namespace carvel {

// The outside services the help class works through; the owner of the class keeps them alive
// for as long as the class lives.
struct HelpServices {
    IHelpViewer& viewer;
    IRegistry& registry;
    IFileFinder& files;
    ILongPathName& longPaths;
    IOsVersion& osVersion;
    IFileVersion& fileVersions;
    IEnvironment& environment;
    ICursorPosition& cursor;
    IDefWindowProc& defWindowProc;
    IStringResources& strings;
    IMessageBox& messageBox;
};

} // namespace carvel
