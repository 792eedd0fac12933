#pragma once

#include "IFileDialog.h"

#include <QString>

namespace carvel {

// The platform's open and save dialogs, drawn by Qt. One instance serves a whole window, so
// each use starts from the name chosen the time before.
class QtFileDialog final : public IFileDialog {
public:
    std::optional<std::string> showOpen(void* owner) override;
    std::optional<std::string> showSave(void* owner) override;
    void startFrom(const std::string& path) override;

private:
    QString m_lastName;
};

} // namespace carvel
