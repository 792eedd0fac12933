#include "FileDrop.h"

#include "JoinPanel.h"
#include "SplitPanel.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>

namespace carvel {

namespace {

bool offersLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

FileDrop::FileDrop(QWidget& window, SplitPanel* split, JoinPanel& join, IMessageBox& messageBox)
    : QObject(&window), m_window(window), m_split(split), m_join(join), m_messageBox(messageBox) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QLineEdit* box : window.findChildren<QLineEdit*>())
        box->installEventFilter(this);
}

bool FileDrop::working() const {
    return (m_split && m_split->isWorking()) || m_join.isWorking();
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drag = static_cast<QDropEvent*>(event);
    // Text dragged onto a text box is the box's own business.
    if (!offersLocalFile(drag->mimeData()))
        return QObject::eventFilter(watched, event);
    if (working()) {
        drag->ignore();
        return true;
    }
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop) {
        // The drop ends first: the desktop's drag must not wait on a message or a chooser.
        QTimer::singleShot(
            0, this, [this, urls = drag->mimeData()->urls(), target = QPointer<QObject>(watched)] {
                if (target && !working())
                    take(urls, target);
            });
    }
    return true;
}

void FileDrop::refuse(const std::string& text) {
    m_messageBox.show({text, "Error", MsgButtons::Ok, MsgIcon::Critical, MsgAnswer::Ok, &m_window});
}

void FileDrop::take(const QList<QUrl>& urls, const QObject* target) {
    if (urls.size() != 1) {
        refuse("You have dropped more than one file. Please drop only one file.");
        return;
    }
    const QString file = urls.front().toLocalFile();
    const std::string path = file.toStdString();
    if (QFileInfo(file).isDir()) {
        refuse("Folder: " + path + " is not a file. Please drop a file, not a folder.");
        return;
    }
    if (m_split && m_split->isVisible())
        m_split->txtSplitSourceFile()->setText(file);
    else if (target == m_join.txtJoinDestination())
        m_join.dropJoinDestination(path);
    else if (m_join.isVisible())
        m_join.dropJoinSource(path);
}

} // namespace carvel
