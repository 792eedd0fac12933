#pragma once

#include <optional>
#include <string>

namespace carvel {

// The common file dialog. No filter and no title are ever set; the dialog keeps the last
// chosen name between uses and starts from it. An empty optional means the user cancelled.
class IFileDialog {
public:
    virtual ~IFileDialog() = default;
    virtual std::optional<std::string> showOpen(void* owner) = 0;
    virtual std::optional<std::string> showSave(void* owner) = 0;
    // The next dialog starts from this file instead, in its folder: one that was refused, to
    // choose another beside it.
    virtual void startFrom(const std::string& path) = 0;
};

} // namespace carvel
