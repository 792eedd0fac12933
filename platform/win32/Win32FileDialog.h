#pragma once

#include "IFileDialog.h"

#include <string>

namespace carvel {

// The common open and save dialogs, GetOpenFileNameW and GetSaveFileNameW, with the system's
// own titles and every file listed. One instance serves a whole window, so each use starts from
// the name chosen the time before, in its folder. The owner is the owning window's HWND.
class Win32FileDialog final : public IFileDialog {
public:
    std::optional<std::string> showOpen(void* owner) override;
    std::optional<std::string> showSave(void* owner) override;
    void startFrom(const std::string& path) override;

private:
    std::optional<std::string> choose(void* owner, bool save);

    std::string m_lastName;
};

} // namespace carvel
