#include "BusyPointer.h"

#include <QCursor>
#include <QGuiApplication>

namespace carvel {

BusyPointer::BusyPointer() {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
}

BusyPointer::~BusyPointer() {
    restore();
}

void BusyPointer::restore() {
    if (!m_active)
        return;
    m_active = false;
    QGuiApplication::restoreOverrideCursor();
}

} // namespace carvel
