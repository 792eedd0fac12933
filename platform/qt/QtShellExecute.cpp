#include "QtShellExecute.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

namespace carvel {

bool QtShellExecute::execute(const std::string& verb, const std::string& file) {
    // The desktop knows one action for a document: the "open" verb.
    if (verb != "open")
        return false;
    return QDesktopServices::openUrl(QUrl::fromUserInput(QString::fromStdString(file)));
}

} // namespace carvel
