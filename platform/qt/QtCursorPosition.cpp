#include "QtCursorPosition.h"

#include <QCursor>

namespace carvel {

ScreenPoint QtCursorPosition::cursorPos() {
    const QPoint point = QCursor::pos();
    return {point.x(), point.y()};
}

} // namespace carvel
