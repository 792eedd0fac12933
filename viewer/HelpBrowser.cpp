#include "HelpBrowser.h"

#include "ChmArchive.h"

namespace carvel {

HelpBrowser::HelpBrowser(std::shared_ptr<const ChmArchive> archive, QWidget* parent)
    : QTextBrowser(parent), m_archive(std::move(archive)) {
    setOpenExternalLinks(true);
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

} // namespace carvel
