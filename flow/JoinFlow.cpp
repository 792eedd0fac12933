#include "flow/JoinFlow.h"

#include "PieceSet.h"
#include "flow/PanelChecks.h"

#include <exception>
#include <optional>

namespace carvel {

JoinPolicy JoinPolicy::carvel() {
    return {"Carvel", false, true, false};
}

JoinPolicy JoinPolicy::seamer() {
    return {"Seamer", true, false, true};
}

JoinFlow::JoinFlow(IJoinView& view, IMessageBox& messageBox, IFileDialog& fileDialog,
                   FileSystem& fs, IUiThread& uiThread, JoinPolicy policy)
    : m_view(view), m_messageBox(messageBox), m_fileDialog(fileDialog), m_fs(fs),
      m_policy(std::move(policy)), m_work(messageBox, uiThread),
      m_engine(fs, m_work.engineMessageBox(), m_policy.programTitle) {
    m_work.attach(m_engine);
}

JoinFlow::~JoinFlow() {
    // The run uses the engine, which goes before the work does.
    m_work.stopAndWait();
}

bool JoinFlow::MakeJoinPattern(const std::string& path) {
    const std::optional<std::string> pattern = PieceSet::patternFromPiece(path);
    if (!pattern)
        return false;
    m_view.setSourceText(*pattern);
    return true;
}

void JoinFlow::startWithPiece(const std::string& path) {
    dropJoinSource(path);
}

bool JoinFlow::refusePiece(const std::string& path) {
    return refuseChoice(notAPieceText(path));
}

bool JoinFlow::refuseDestination() {
    return refuseChoice(kInvalidFileText);
}

bool JoinFlow::refuseChoice(const std::string& carvelText) {
    if (m_policy.retryCancelOnRefusal) {
        const MsgAnswer answer =
            m_messageBox.show({kInvalidFileText, "Error", MsgButtons::RetryCancel, MsgIcon::None,
                               MsgAnswer::Retry, m_view.owner()});
        return answer == MsgAnswer::Retry;
    }
    m_messageBox.show({carvelText, kInvalidFileCaption, MsgButtons::Ok, MsgIcon::Critical,
                       MsgAnswer::Ok, m_view.owner()});
    return true;
}

void JoinFlow::cmdSelectJoinFile_Click() {
    // A cancelled dialog, like any other failure of a choice, ends the choice silently.
    try {
        for (;;) {
            const std::optional<std::string> name = m_fileDialog.showOpen(m_view.owner());
            if (!name || name->empty())
                return;
            if (MakeJoinPattern(*name) || !refusePiece(*name))
                return;
        }
    } catch (...) {
    }
}

void JoinFlow::cmdSelectJoinTarget_Click() {
    try {
        for (;;) {
            const std::optional<std::string> name = m_fileDialog.showSave(m_view.owner());
            if (!name || name->empty())
                return;
            const std::optional<std::string> destination = PieceSet::destinationFromChosen(*name);
            if (destination) {
                m_view.setDestinationText(*destination);
                return;
            }
            if (!refuseDestination())
                return;
        }
    } catch (...) {
    }
}

void JoinFlow::dropJoinSource(const std::string& path) {
    try {
        if (MakeJoinPattern(path) || !refusePiece(path))
            return;
        // The piece wanted is likely beside the file refused: the dialog opens in its folder.
        m_fileDialog.startFrom(path);
        cmdSelectJoinFile_Click();
    } catch (...) {
    }
}

void JoinFlow::dropJoinDestination(const std::string& path) {
    try {
        const std::optional<std::string> destination = PieceSet::destinationFromChosen(path);
        if (destination) {
            m_view.setDestinationText(*destination);
        } else if (refuseDestination()) {
            m_fileDialog.startFrom(path);
            cmdSelectJoinTarget_Click();
        }
    } catch (...) {
    }
}

bool JoinFlow::CheckJoinInput() {
    try {
        const JoinCheck check = carvel::CheckJoinInput(
            m_view.sourceText(), m_view.destinationText(), m_fs, m_messageBox, m_view.owner());
        if (check.focus != InputField::None)
            m_view.focus(check.focus);
        return check.ok;
    } catch (const std::exception& error) {
        m_messageBox.show({error.what(), "System Error", MsgButtons::Ok, MsgIcon::Critical,
                           MsgAnswer::Ok, m_view.owner()});
        return false;
    }
}

void JoinFlow::enableStart() {
    m_view.setStartEnabled(true);
}

void JoinFlow::showResult(const std::string& text, MsgIcon icon) {
    m_messageBox.show(
        {text, m_policy.programTitle, MsgButtons::Ok, icon, MsgAnswer::Ok, m_view.owner()});
}

void JoinFlow::cmdJoin_Click() {
    if (m_work.isRunning()) {
        m_work.cancel();
        return;
    }
    try {
        if (!CheckJoinInput())
            return;
        m_destination = m_view.destinationText();
        m_destinationExisted = m_fs.FileExists(m_destination);
        const std::string pattern = m_view.sourceText();
        showWorking(true);
        m_work.start(
            joinWorkName(m_destination), "Joining",
            [this, destination = m_destination, pattern] {
                return m_engine.JoinPieces(destination, pattern, 1);
            },
            [this](std::int16_t count) { joinEnded(count); });
    } catch (const std::exception& error) {
        showWorking(false);
        showResult(error.what());
    } catch (...) {
        showWorking(false);
        showResult(kUnexpectedErrorText);
    }
}

void JoinFlow::joinEnded(std::int16_t count) {
    try {
        showWorking(false);
        if (m_work.stoppedForClose())
            return;
        if (count >= 1)
            showResult(joinDoneText(count, m_destination));
        else if (m_engine.wasCancelled())
            showResult(joinCancelledText(m_destination, m_destinationExisted),
                       MsgIcon::Information);
        else
            showResult(kJoinFailedText);
        m_view.setStartEnabled(!(m_policy.disableStartAfterJoin && count >= 1));
    } catch (...) {
        // Reached from the window's event loop: nothing may leave it.
    }
}

void JoinFlow::showWorking(bool working) {
    if (m_policy.busyPointer)
        m_view.showBusyPointer(working);
    m_view.showWorking(working);
}

} // namespace carvel
