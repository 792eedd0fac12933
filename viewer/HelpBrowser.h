#pragma once

#include <QTextBrowser>

#include <memory>

namespace carvel {

class ChmArchive;

// Shows the topics of a compiled help file: every page, picture and style sheet a topic
// refers to is read from the file itself. Topics have addresses of the form chm:/Topic.htm,
// so relative links between them resolve as in the file.
class HelpBrowser final : public QTextBrowser {
public:
    HelpBrowser(std::shared_ptr<const ChmArchive> archive, QWidget* parent);
    QVariant loadResource(int type, const QUrl& name) override;

private:
    std::shared_ptr<const ChmArchive> m_archive;
};

} // namespace carvel
