#include "Win32FileDialog.h"

#include "WideText.h"

#include <vector>

#include <windows.h>

#include <commdlg.h>

namespace carvel {

namespace {

// Room for a name of any length Windows takes: 32,767 characters and the terminating null.
constexpr DWORD kNameRoom = 32768;

bool isFolder(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

} // namespace

std::optional<std::string> Win32FileDialog::choose(void* owner, bool save) {
    HWND window = static_cast<HWND>(owner);
    if (window != nullptr && !::IsWindowVisible(window))
        window = nullptr;
    // The dialog starts in the folder of the last name, with that name filled in, while the
    // folder is still there.
    const std::wstring last = toWide(m_lastName);
    const std::size_t separator = last.find_last_of(L"\\/");
    std::wstring folder =
        separator == std::wstring::npos ? std::wstring() : last.substr(0, separator);
    if (folder.size() == 2 && folder[1] == L':')
        folder += L'\\';
    std::vector<wchar_t> name(kNameRoom, L'\0');
    if (!folder.empty() && isFolder(folder)) {
        const std::wstring file = last.substr(separator + 1);
        if (file.size() < kNameRoom)
            file.copy(name.data(), file.size());
    } else {
        folder.clear();
    }

    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = window;
    dialog.lpstrFile = name.data();
    dialog.nMaxFile = kNameRoom;
    dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
    // The question about an existing file comes when the join starts, not here.
    dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                   (save ? 0 : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? ::GetSaveFileNameW(&dialog) : ::GetOpenFileNameW(&dialog);
    if (!chosen)
        return std::nullopt;
    m_lastName = toUtf8(name.data());
    return m_lastName;
}

std::optional<std::string> Win32FileDialog::showOpen(void* owner) {
    return choose(owner, false);
}

std::optional<std::string> Win32FileDialog::showSave(void* owner) {
    return choose(owner, true);
}

void Win32FileDialog::startFrom(const std::string& path) {
    m_lastName = path;
}

} // namespace carvel
