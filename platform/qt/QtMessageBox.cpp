#include "QtMessageBox.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMessageBox>
#include <QString>
#include <QWidget>

namespace carvel {

namespace {

QMessageBox::StandardButton toQt(MsgAnswer answer) {
    switch (answer) {
    case MsgAnswer::Yes:
        return QMessageBox::Yes;
    case MsgAnswer::No:
        return QMessageBox::No;
    case MsgAnswer::Cancel:
        return QMessageBox::Cancel;
    case MsgAnswer::Retry:
        return QMessageBox::Retry;
    case MsgAnswer::Ok:
        break;
    }
    return QMessageBox::Ok;
}

} // namespace

MsgAnswer QtMessageBox::show(const MessageRequest& request) {
    // Closing a box that has only OK counts as OK; one with Cancel counts as Cancel.
    const MsgAnswer closed = request.buttons == MsgButtons::Ok ? MsgAnswer::Ok : MsgAnswer::Cancel;
    if (request.withdrawal != nullptr && request.withdrawal->withdrawn())
        return closed;
    // A window not yet on screen gives no place to centre on: the box centres on the screen.
    auto* owner = static_cast<QWidget*>(request.owner);
    QMessageBox box(owner != nullptr && owner->isVisible() ? owner : nullptr);
    box.setWindowTitle(QString::fromStdString(request.caption));
    box.setText(QString::fromStdString(request.text));
    box.setTextFormat(Qt::PlainText);
    switch (request.icon) {
    case MsgIcon::Critical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MsgIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    switch (request.buttons) {
    case MsgButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MsgButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setEscapeButton(QMessageBox::No);
        break;
    case MsgButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    case MsgButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setEscapeButton(QMessageBox::Cancel);
        break;
    }
    box.setDefaultButton(toQt(request.defaultButton));
    // The box waits for the user, so it shows the normal pointer, also when it comes up while a
    // split or join shows the busy pointer over the program.
    const bool busy = QGuiApplication::overrideCursor() != nullptr;
    if (busy)
        QGuiApplication::setOverrideCursor(QCursor(Qt::ArrowCursor));
    if (request.withdrawal != nullptr)
        request.withdrawal->whileOpen([&box] { box.reject(); });
    const int pressed = box.exec();
    if (request.withdrawal != nullptr)
        request.withdrawal->whileOpen({});
    if (busy)
        QGuiApplication::restoreOverrideCursor();
    switch (pressed) {
    case QMessageBox::Yes:
        return MsgAnswer::Yes;
    case QMessageBox::No:
        return MsgAnswer::No;
    case QMessageBox::Cancel:
        return MsgAnswer::Cancel;
    case QMessageBox::Retry:
        return MsgAnswer::Retry;
    default:
        return closed;
    }
}

} // namespace carvel
