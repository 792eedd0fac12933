#include "TestFiles.h"
#include "WideText.h"

#include <windows.h>

namespace carvel::test {

bool underWine() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

std::string noSuchFile() {
    return systemMessage(ERROR_FILE_NOT_FOUND);
}

std::string noSuchPath() {
    return systemMessage(ERROR_PATH_NOT_FOUND);
}

} // namespace carvel::test
