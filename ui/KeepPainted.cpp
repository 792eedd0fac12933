#include "KeepPainted.h"

#include <QCoreApplication>
#include <QEventLoop>

namespace carvel {

void keepWindowPainted(mdlMain& engine) {
    engine.setProgress([](FileLength, FileLength) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
}

} // namespace carvel
