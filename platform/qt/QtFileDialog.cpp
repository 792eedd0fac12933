#include "QtFileDialog.h"

#include <QFileDialog>
#include <QWidget>

namespace carvel {

std::optional<std::string> QtFileDialog::showOpen(void* owner) {
    // No title and no filter: the platform's own title, listing all files.
    const QString name =
        QFileDialog::getOpenFileName(static_cast<QWidget*>(owner), QString(), m_lastName);
    if (name.isEmpty())
        return std::nullopt;
    m_lastName = name;
    return name.toStdString();
}

std::optional<std::string> QtFileDialog::showSave(void* owner) {
    // The question about an existing file comes when the join starts, not here.
    const QString name =
        QFileDialog::getSaveFileName(static_cast<QWidget*>(owner), QString(), m_lastName, QString(),
                                     nullptr, QFileDialog::DontConfirmOverwrite);
    if (name.isEmpty())
        return std::nullopt;
    m_lastName = name;
    return name.toStdString();
}

} // namespace carvel
