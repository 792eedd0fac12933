#include "flow/StartArguments.h"

#include "flow/PanelChecks.h"

namespace carvel {

StartRequest parseStartArguments(const std::string& arguments) {
    StartRequest request;
    if (trimBlanks(arguments).empty() || arguments.size() < 2 || arguments[0] != '-')
        return request;
    // Both switches are plain letters, so the first two bytes are the first two characters.
    const char letter = arguments[1];
    if (letter == 'S' || letter == 's')
        request.mode = StartRequest::Mode::Split;
    else if (letter == 'J' || letter == 'j')
        request.mode = StartRequest::Mode::Join;
    else
        return request;
    request.path = trimBlanks(arguments.substr(2));
    return request;
}

} // namespace carvel
