#pragma once

#include "HelpServices.h"
#include "InProcessRegistry.h"
#include "PeFileVersion.h"
#include "PosixFileFinder.h"
#include "PosixLongPathName.h"
#include "PosixOsVersion.h"
#include "ProcessEnvironment.h"
#include "QtCursorPosition.h"
#include "QtDefWindowProc.h"
#include "QtHelpViewer.h"
#include "QtMessageBox.h"
#include "QtShellExecute.h"
#include "StringTable.h"

namespace carvel {

// The help services of this machine, owned in one place for the program's lifetime: the
// help viewer of our own, a registry that starts empty, and the local file system. Links to
// the web in help topics open in the desktop's browser.
class MachineHelpServices final {
public:
    MachineHelpServices() : m_viewer(m_messageBox, m_shell) {}
    MachineHelpServices(const MachineHelpServices&) = delete;
    MachineHelpServices& operator=(const MachineHelpServices&) = delete;

    HelpServices services() {
        return HelpServices{m_viewer,        m_registry,     m_files,       m_longPaths,
                            m_osVersion,     m_fileVersions, m_environment, m_cursor,
                            m_defWindowProc, m_strings,      m_messageBox};
    }
    QtHelpViewer& viewer() { return m_viewer; }

private:
    QtMessageBox m_messageBox;
    QtShellExecute m_shell;
    QtHelpViewer m_viewer;
    InProcessRegistry m_registry;
    PosixFileFinder m_files;
    PosixLongPathName m_longPaths;
    PosixOsVersion m_osVersion;
    PeFileVersion m_fileVersions;
    ProcessEnvironment m_environment;
    QtCursorPosition m_cursor;
    QtDefWindowProc m_defWindowProc;
    StringTable m_strings; // Carvel carries no string resources
};

} // namespace carvel
