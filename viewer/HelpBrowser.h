#pragma once

#include "IShellExecute.h"

#include <QTextBrowser>

#include <memory>

namespace carvel {

class ChmArchive;

// Shows the topics of a compiled help file: every page, picture and style sheet a topic
// refers to is read from the file itself. Topics have addresses of the form chm:/Topic.htm,
// so relative links between them resolve as in the file. A link to another topic opens it
// here; a link to the web goes to the desktop's browser.
class HelpBrowser final : public QTextBrowser {
public:
    HelpBrowser(std::shared_ptr<const ChmArchive> archive, IShellExecute& shell, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

    // What a click on a link does, the link resolved against the topic shown.
    void followLink(const QUrl& link);

private:
    std::shared_ptr<const ChmArchive> m_archive;
    IShellExecute& m_shell;
};

} // namespace carvel
