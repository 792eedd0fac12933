#pragma once

#include "HelpServices.h"
#include "Win32CursorPosition.h"
#include "Win32DefWindowProc.h"
#include "Win32HelpViewer.h"
#include "Win32MessageBox.h"
#include "Win32Registry.h"
#include "Win32StringResources.h"
#include "WindowsServices.h"

namespace carvel {

// The help services of a Windows program, owned in one place for the program's lifetime: the
// system's HTML Help viewer, registry, find-first-file, long path names, version resources and
// message boxes, so that the help class works as on any Windows machine.
class WindowsHelpServices final {
public:
    WindowsHelpServices() = default;
    WindowsHelpServices(const WindowsHelpServices&) = delete;
    WindowsHelpServices& operator=(const WindowsHelpServices&) = delete;

    HelpServices services() {
        return HelpServices{m_viewer,        m_registry,     m_files,       m_longPaths,
                            m_osVersion,     m_fileVersions, m_environment, m_cursor,
                            m_defWindowProc, m_strings,      m_messageBox};
    }

private:
    Win32HelpViewer m_viewer;
    Win32Registry m_registry;
    WindowsFileFinder m_files;
    WindowsLongPathName m_longPaths;
    WindowsOsVersion m_osVersion;
    WindowsFileVersion m_fileVersions;
    WindowsEnvironment m_environment;
    Win32CursorPosition m_cursor;
    Win32DefWindowProc m_defWindowProc;
    Win32StringResources m_strings;
    Win32MessageBox m_messageBox;
};

} // namespace carvel
