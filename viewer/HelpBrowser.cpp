#include "HelpBrowser.h"

#include "ChmArchive.h"

namespace carvel {

HelpBrowser::HelpBrowser(std::shared_ptr<const ChmArchive> archive, IShellExecute& shell,
                         QWidget* parent)
    : QTextBrowser(parent), m_archive(std::move(archive)), m_shell(shell) {
    // Qt's own handling would hand chm: links to the desktop, which knows nothing of them.
    setOpenLinks(false);
    setOpenExternalLinks(false);
    connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::followLink);
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
    if (name.scheme() != QLatin1String("chm"))
        return QTextBrowser::loadResource(type, name);
    const auto inner = m_archive->resolve(name.path().toStdString());
    if (!inner)
        return {};
    const auto content = m_archive->read(*inner);
    if (!content)
        return {};
    const QByteArray bytes(content->data(), static_cast<qsizetype>(content->size()));
    if (type == QTextDocument::StyleSheetResource)
        return QString::fromUtf8(bytes);
    return bytes;
}

void HelpBrowser::followLink(const QUrl& link) {
    const QString scheme = link.scheme().toLower();
    if (scheme == QLatin1String("chm")) {
        // A topic the file lacks leaves the one shown.
        const auto inner = m_archive->resolve(link.path().toStdString());
        if (!inner)
            return;
        QUrl topic = link;
        topic.setPath(QString::fromLatin1(inner->c_str()));
        setSource(topic);
        return;
    }
    // Files and programs of this machine are not opened from a help topic.
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https") ||
        scheme == QLatin1String("mailto"))
        m_shell.execute("open", link.toString(QUrl::FullyEncoded).toStdString());
}

} // namespace carvel
