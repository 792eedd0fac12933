#pragma once

#include "HTMLHelp.h"
#include "HelpServices.h"

#include <memory>
#include <string>

namespace carvel {

// Carvel's Help command from its fourth step on, and the closing of the help windows when the
// main window unloads: what every front end's main window does with its one help object.
class HelpCommand final {
public:
    // programFolder: the folder the program runs from, in which (or in ../share/carvel/ from
    // which) Carvel.chm is looked for.
    HelpCommand(HelpServices services, std::string programFolder);

    // Opens the help file's contents in the "Main" window; the help object is made the first
    // time and kept.
    void showContents();
    // Form_QueryUnload: closes the help windows if help was shown, ignoring every error, and
    // releases the help object. Closing the window always succeeds.
    void unload();

    // The one help object, once help has been shown; none after unload.
    const HTMLHelp* helpObject() const { return m_helpObject.get(); }

private:
    HelpServices m_services;
    std::string m_programFolder;
    std::unique_ptr<HTMLHelp> m_helpObject;
    bool m_helpShown = false;
};

} // namespace carvel
