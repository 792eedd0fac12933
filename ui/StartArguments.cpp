#include "StartArguments.h"

#include "PanelChecks.h"

namespace carvel {

StartRequest parseStartArguments(const QString& arguments) {
    StartRequest request;
    if (trimBlanks(arguments.toStdString()).empty())
        return request;
    const QString head = arguments.left(2).toUpper();
    if (head == QLatin1String("-S"))
        request.mode = StartRequest::Mode::Split;
    else if (head == QLatin1String("-J"))
        request.mode = StartRequest::Mode::Join;
    else
        return request;
    request.path = trimBlanks(arguments.mid(2).toStdString());
    return request;
}

} // namespace carvel
