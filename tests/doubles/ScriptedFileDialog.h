#pragma once

#include "IFileDialog.h"

#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace carvel {

// Test double: answers each open or save from a queue set by the test (a name, or nullopt for
// Cancel), records every call, and cancels when the queue is empty so a retry loop ends.
class ScriptedFileDialog final : public IFileDialog {
public:
    enum class Kind { Open, Save };

    std::optional<std::string> showOpen(void* owner) override;
    std::optional<std::string> showSave(void* owner) override;

    void startFrom(const std::string& path) override { m_starts.push_back(path); }
    const std::vector<std::string>& starts() const { return m_starts; }
    void setNextFileName(std::string name) { m_answers.emplace_back(std::move(name)); }
    void setNextCancel() { m_answers.emplace_back(std::nullopt); }
    const std::vector<Kind>& calls() const { return m_calls; }

private:
    std::optional<std::string> answer(Kind kind);

    std::deque<std::optional<std::string>> m_answers;
    std::vector<Kind> m_calls;
    std::vector<std::string> m_starts;
};

} // namespace carvel
