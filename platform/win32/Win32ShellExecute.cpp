#include "Win32ShellExecute.h"

#include "WideText.h"

#include <windows.h>

#include <shellapi.h>

namespace carvel {

bool Win32ShellExecute::execute(const std::string& verb, const std::string& file) {
    // ShellExecuteW answers a number above 32 when it started the handler, an error code else.
    const HINSTANCE result = ::ShellExecuteW(nullptr, toWide(verb).c_str(), toWide(file).c_str(),
                                             nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace carvel
