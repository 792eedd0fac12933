#include "FileDrop.h"

#include <QDropEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <algorithm>
#include <string>
#include <vector>

namespace carvel {

namespace {

bool offersLocalFile(const QMimeData* data) {
    if (!data || !data->hasUrls())
        return false;
    const QList<QUrl> urls = data->urls();
    return std::any_of(urls.begin(), urls.end(), [](const QUrl& url) { return url.isLocalFile(); });
}

} // namespace

FileDrop::FileDrop(QWidget& window, WindowFlow& flow, QWidget* destinationBox)
    : QObject(&window), m_flow(flow), m_destinationBox(destinationBox) {
    window.setAcceptDrops(true);
    window.installEventFilter(this);
    for (QLineEdit* box : window.findChildren<QLineEdit*>())
        box->installEventFilter(this);
}

bool FileDrop::eventFilter(QObject* watched, QEvent* event) {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drag = static_cast<QDropEvent*>(event);
    // Text dragged onto a text box is the box's own business.
    if (!offersLocalFile(drag->mimeData()))
        return QObject::eventFilter(watched, event);
    if (!m_flow.takesDrops()) {
        drag->ignore();
        return true;
    }
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    if (type == QEvent::Drop) {
        std::vector<std::string> paths;
        for (const QUrl& url : drag->mimeData()->urls())
            paths.push_back(url.toLocalFile().toStdString());
        const bool onDestination = m_destinationBox && watched == m_destinationBox.data();
        // The drop ends first: the desktop's drag must not wait on a message or a chooser.
        QTimer::singleShot(
            0, this, [this, paths, onDestination] { m_flow.filesDropped(paths, onDestination); });
    }
    return true;
}

} // namespace carvel
