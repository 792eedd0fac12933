#pragma once

namespace carvel::win32 {

// The commands of the toolbars and the menus, as their WM_COMMAND identifiers.
enum CommandId : int {
    IdToolbarSplit = 201,
    IdToolbarJoin,
    IdToolbarAbout,
    IdToolbarHelp,
    IdToolbarExit,
    IdMnusp = 301,
    IdMnujn,
    IdMnuex,
    IdMnuhp,
    IdMnuab,
};

} // namespace carvel::win32
