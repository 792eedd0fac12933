#include "Win32StringResources.h"

#include "WideText.h"

#include <windows.h>

namespace carvel {

std::optional<std::string> Win32StringResources::loadString(std::uint32_t id) {
    // With a buffer size of 0 LoadStringW answers a pointer into the resource itself.
    const wchar_t* text = nullptr;
    const int length =
        ::LoadStringW(::GetModuleHandleW(nullptr), id, reinterpret_cast<LPWSTR>(&text), 0);
    if (length <= 0 || text == nullptr)
        return std::nullopt;
    return toUtf8(std::wstring(text, static_cast<std::size_t>(length)));
}

} // namespace carvel
