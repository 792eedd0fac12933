#pragma once

#include "IHelpViewer.h"
#include "IMessageBox.h"
#include "IShellExecute.h"

#include <QPointer>

#include <map>
#include <memory>
#include <vector>

class QWidget;

namespace carvel {

class ChmArchive;
class HelpWindow;

// The help viewer of this machine: opens compiled help files in help windows of its own,
// one per help file and window type, and shows text popups. The messages it gives itself
// (a file it cannot open, a lookup that finds nothing) go through the message box; links to
// the web in topics go to the shell.
class QtHelpViewer final : public IHelpViewer {
public:
    QtHelpViewer(IMessageBox& messages, IShellExecute& shell);
    ~QtHelpViewer() override;
    QtHelpViewer(const QtHelpViewer&) = delete;
    QtHelpViewer& operator=(const QtHelpViewer&) = delete;

    std::intptr_t htmlHelp(std::intptr_t owner, const std::optional<std::string>& file,
                           std::uint32_t command, const HelpData& data) override;

    // The help windows and popups open now.
    std::vector<HelpWindow*> windows() const;
    std::vector<QWidget*> popups() const;

private:
    struct Target {
        std::string file;   // the help file
        std::string inner;  // a file inside it, after "::"
        std::string window; // the window type, after ">"
    };
    static Target parseFileArgument(const std::string& argument);

    std::shared_ptr<ChmArchive> archiveFor(const std::string& file);
    HelpWindow* windowFor(const std::shared_ptr<ChmArchive>& archive, std::string typeName,
                          std::intptr_t owner);
    std::intptr_t lookUp(std::intptr_t owner, const std::string& file, const HhAkLink& link,
                         bool associative);
    std::intptr_t showPopup(std::intptr_t owner, const std::optional<std::string>& file,
                            const HhPopup& record);
    void closeAll();
    std::intptr_t handleOf(HelpWindow* window) const;

    IMessageBox& m_messages;
    IShellExecute& m_shell;
    std::map<std::string, std::shared_ptr<ChmArchive>> m_archives;
    std::vector<QPointer<HelpWindow>> m_windows;
    std::vector<QPointer<QWidget>> m_popups;
};

} // namespace carvel
