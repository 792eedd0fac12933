#include "QtFileDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QScreen>
#include <QTreeView>
#include <QWidget>

namespace carvel {

namespace {

// Qt's own dialog, where the desktop offers none, opens at a size that squeezes its columns to
// "21....KiB": it opens larger, within the screen, with the size, type and date columns as wide
// as what they show and the names taking the rest.
constexpr QSize kDialogSize(900, 560);

void fitToDetails(QFileDialog& dialog) {
    if (auto* details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        QHeaderView* header = details->header();
        header->setStretchLastSection(false);
        header->setSectionResizeMode(0, QHeaderView::Stretch);
        for (int column = 1; column < header->count(); ++column)
            header->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    }
    const QScreen* screen = dialog.screen();
    const QSize room =
        screen != nullptr ? screen->availableGeometry().size() * 9 / 10 : kDialogSize;
    dialog.resize(kDialogSize.boundedTo(room).expandedTo(dialog.minimumSizeHint()));
}

QString choose(void* owner, QFileDialog::AcceptMode mode, const QString& start) {
    // A window not yet on screen gives no place to centre on: the dialog centres on the screen.
    auto* parent = static_cast<QWidget*>(owner);
    if (parent != nullptr && !parent->isVisible())
        parent = nullptr;
    // No title and no filter: the platform's own title, listing all files.
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    // The question about an existing file comes when the join starts, not here.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const QFileInfo last(start);
    if (!start.isEmpty() && last.absoluteDir().exists()) {
        dialog.setDirectory(last.absolutePath());
        dialog.selectFile(last.fileName());
    }
    fitToDetails(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace

std::optional<std::string> QtFileDialog::showOpen(void* owner) {
    const QString name = choose(owner, QFileDialog::AcceptOpen, m_lastName);
    if (name.isEmpty())
        return std::nullopt;
    m_lastName = name;
    return name.toStdString();
}

std::optional<std::string> QtFileDialog::showSave(void* owner) {
    const QString name = choose(owner, QFileDialog::AcceptSave, m_lastName);
    if (name.isEmpty())
        return std::nullopt;
    m_lastName = name;
    return name.toStdString();
}

void QtFileDialog::startFrom(const std::string& path) {
    m_lastName = QString::fromStdString(path);
}

} // namespace carvel
