#pragma once

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace carvel::test {

// Drops files on a widget as a desktop's drag does, and lets the window take them once the drop
// has ended. Answers whether the drop was accepted.
inline bool dropFiles(QWidget* on, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths)
        urls.append(QUrl::fromLocalFile(path));
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(on, &enter);
    QApplication::sendEvent(on, &drop);
    QApplication::processEvents();
    return enter.isAccepted() && drop.isAccepted();
}

} // namespace carvel::test
