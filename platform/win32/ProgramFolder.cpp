#include "ProgramFolder.h"

#include "WideText.h"

#include <windows.h>

namespace carvel {

std::string programFolder() {
    // Paths may be longer than MAX_PATH: grow the buffer until the whole name fits.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    return toUtf8(path.substr(0, path.find_last_of(L'\\')));
}

} // namespace carvel
