#include "ScriptedFileDialog.h"

namespace carvel {

std::optional<std::string> ScriptedFileDialog::showOpen(void*) {
    return answer(Kind::Open);
}

std::optional<std::string> ScriptedFileDialog::showSave(void*) {
    return answer(Kind::Save);
}

std::optional<std::string> ScriptedFileDialog::answer(Kind kind) {
    m_calls.push_back(kind);
    if (m_answers.empty())
        return std::nullopt;
    std::optional<std::string> next = std::move(m_answers.front());
    m_answers.pop_front();
    return next;
}

} // namespace carvel
