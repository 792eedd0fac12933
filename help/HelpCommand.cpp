#include "HelpCommand.h"

namespace carvel {

HelpCommand::HelpCommand(HelpServices services, std::string programFolder)
    : m_services(services), m_programFolder(std::move(programFolder)) {}

void HelpCommand::showContents() {
    if (!m_helpObject)
        m_helpObject = std::make_unique<HTMLHelp>(m_services, m_programFolder);
    // Beside the program or where an installation puts it; the help class reports a missing
    // file under the program's folder.
    m_helpObject->setCHMFile(m_helpObject->locateHelpFile("Carvel.chm"));
    m_helpObject->setHHWindow("Main");
    m_helpObject->HHDisplayContents(0);
    m_helpShown = true;
}

void HelpCommand::unload() {
    // A help viewer that fails to close its windows is passed over.
    try {
        if (m_helpShown && m_helpObject)
            m_helpObject->HHClose();
    } catch (...) {
    }
    m_helpObject.reset();
}

} // namespace carvel
