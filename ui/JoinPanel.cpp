#include "JoinPanel.h"

#include "Artwork.h"
#include "Controls.h"
#include "flow/PanelChecks.h"
#include "PieceSet.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <exception>
#include <optional>

namespace carvel {

JoinPanelPolicy JoinPanelPolicy::carvel() {
    return {"Carvel", false, true, false};
}

JoinPanelPolicy JoinPanelPolicy::seamer() {
    return {"Seamer", true, false, true};
}

JoinPanel::JoinPanel(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                     JoinPanelPolicy policy, QWidget* parent)
    : QGroupBox(QStringLiteral("Join Files"), parent), m_messageBox(messageBox),
      m_fileDialog(fileDialog), m_fs(fs), m_policy(std::move(policy)), m_work(messageBox),
      m_engine(fs, m_work.engineMessageBox(), m_policy.programTitle) {
    setObjectName(QStringLiteral("JoinDialog"));
    setFont(Controls::windowFont());
    resize(twipsSize(6855, 2655));
    m_work.attach(m_engine);

    m_label2 = Controls::label(this, "Label2", QStringLiteral("Source File Name"),
                               twipsRect(240, 360, 1260, 195));
    m_txtJoinSourceFile =
        Controls::textBox(this, "txtJoinSourceFile", twipsRect(240, 600, 2895, 375));
    m_cmdSelectJoinFile =
        Controls::pictureButton(this, "cmdSelectJoinFile", QStringLiteral("Select file to join"),
                                twipsRect(3240, 600, 375, 375));
    m_cmdSelectJoinFile->setIcon(Artwork::selectFileIcon());
    m_label1 = Controls::label(this, "Label1", QStringLiteral("Destination File Name"),
                               twipsRect(240, 1200, 1545, 195));
    m_txtJoinDestination =
        Controls::textBox(this, "txtJoinDestination", twipsRect(240, 1440, 2895, 375));
    m_cmdSelectJoinTarget =
        Controls::pictureButton(this, "cmdSelectJoinTarget", QStringLiteral("Select file to join"),
                                twipsRect(3240, 1440, 375, 375));
    m_cmdSelectJoinTarget->setIcon(Artwork::selectFileIcon());
    m_cmdJoin = Controls::startButton(this, "cmdJoin", twipsRect(5760, 1680, 735, 615));

    // Screen readers name each control after its own label rather than after the panel; the
    // two file buttons share their tooltip, so they are told apart by name and description.
    m_label2->setBuddy(m_txtJoinSourceFile);
    m_label1->setBuddy(m_txtJoinDestination);
    m_cmdSelectJoinFile->setAccessibleName(m_cmdSelectJoinFile->toolTip());
    m_cmdSelectJoinFile->setAccessibleDescription(QStringLiteral("Choose any piece of the set"));
    m_cmdSelectJoinTarget->setAccessibleName(QStringLiteral("Select destination file"));
    m_cmdSelectJoinTarget->setAccessibleDescription(
        QStringLiteral("Choose the file the pieces are joined into"));

    connect(m_cmdSelectJoinFile, &QToolButton::clicked, this, &JoinPanel::cmdSelectJoinFile_Click);
    connect(m_cmdSelectJoinTarget, &QToolButton::clicked, this,
            &JoinPanel::cmdSelectJoinTarget_Click);
    connect(m_cmdJoin, &QToolButton::clicked, this, &JoinPanel::cmdJoin_Click);
}

JoinPanel::~JoinPanel() {
    // The run uses the engine, which goes before the work does.
    m_work.stopAndWait();
}

void* JoinPanel::owner() {
    return window();
}

bool JoinPanel::MakeJoinPattern(const std::string& path) {
    const std::optional<std::string> pattern = PieceSet::patternFromPiece(path);
    if (!pattern)
        return false;
    m_txtJoinSourceFile->setText(QString::fromStdString(*pattern));
    return true;
}

void JoinPanel::startWithPiece(const std::string& path) {
    if (MakeJoinPattern(path))
        return;
    if (!refuseChoice("File: " + path + " is not a valid file to Join"))
        return;
    // The piece wanted is likely beside the file refused: the dialog opens in its folder.
    m_fileDialog.startFrom(path);
    cmdSelectJoinFile_Click();
}

bool JoinPanel::refuseChoice(const std::string& carvelText) {
    if (m_policy.retryCancelOnRefusal) {
        const MsgAnswer answer =
            m_messageBox.show({"Invalid file selected.", "Error", MsgButtons::RetryCancel,
                               MsgIcon::None, MsgAnswer::Retry, owner()});
        return answer == MsgAnswer::Retry;
    }
    m_messageBox.show({carvelText, "Invalid file selected", MsgButtons::Ok, MsgIcon::Critical,
                       MsgAnswer::Ok, owner()});
    return true;
}

void JoinPanel::cmdSelectJoinFile_Click() {
    // A cancelled dialog, like any other failure of a choice, ends the choice silently.
    try {
        for (;;) {
            const std::optional<std::string> name = m_fileDialog.showOpen(owner());
            if (!name || name->empty())
                return;
            if (MakeJoinPattern(*name))
                return;
            if (!refuseChoice("File: " + *name + " is not a valid file to Join"))
                return;
        }
    } catch (...) {
    }
}

void JoinPanel::cmdSelectJoinTarget_Click() {
    try {
        for (;;) {
            const std::optional<std::string> name = m_fileDialog.showSave(owner());
            if (!name || name->empty())
                return;
            const std::optional<std::string> destination = PieceSet::destinationFromChosen(*name);
            if (destination) {
                m_txtJoinDestination->setText(QString::fromStdString(*destination));
                return;
            }
            if (!refuseChoice("Invalid file selected."))
                return;
        }
    } catch (...) {
    }
}

void JoinPanel::dropJoinSource(const std::string& path) {
    try {
        if (MakeJoinPattern(path) ||
            !refuseChoice("File: " + path + " is not a valid file to Join"))
            return;
        m_fileDialog.startFrom(path);
        cmdSelectJoinFile_Click();
    } catch (...) {
    }
}

void JoinPanel::dropJoinDestination(const std::string& path) {
    try {
        const std::optional<std::string> destination = PieceSet::destinationFromChosen(path);
        if (destination) {
            m_txtJoinDestination->setText(QString::fromStdString(*destination));
        } else if (refuseChoice("Invalid file selected.")) {
            m_fileDialog.startFrom(path);
            cmdSelectJoinTarget_Click();
        }
    } catch (...) {
    }
}

bool JoinPanel::CheckJoinInput() {
    try {
        const JoinCheck check = carvel::CheckJoinInput(m_txtJoinSourceFile->text().toStdString(),
                                                       m_txtJoinDestination->text().toStdString(),
                                                       m_fs, m_messageBox, owner());
        if (check.focus == InputField::JoinSource)
            m_txtJoinSourceFile->setFocus();
        else if (check.focus == InputField::JoinDestination)
            m_txtJoinDestination->setFocus();
        return check.ok;
    } catch (const std::exception& error) {
        m_messageBox.show({error.what(), "System Error", MsgButtons::Ok, MsgIcon::Critical,
                           MsgAnswer::Ok, owner()});
        return false;
    }
}

void JoinPanel::showResult(const std::string& text, MsgIcon icon) {
    m_messageBox.show({text, m_policy.programTitle, MsgButtons::Ok, icon, MsgAnswer::Ok, owner()});
}

void JoinPanel::cmdJoin_Click() {
    if (m_work.isRunning()) {
        m_work.cancel();
        return;
    }
    try {
        if (!CheckJoinInput())
            return;
        m_destination = m_txtJoinDestination->text().toStdString();
        m_destinationExisted = m_fs.FileExists(m_destination);
        const std::string pattern = m_txtJoinSourceFile->text().toStdString();
        if (m_policy.busyPointer)
            m_busy.emplace();
        showWorking(true);
        m_work.start(
            QString::fromStdString("The join into " + m_destination), QStringLiteral("Joining"),
            [this, destination = m_destination, pattern] {
                return m_engine.JoinPieces(destination, pattern, 1);
            },
            [this](std::int16_t count) { joinEnded(count); });
    } catch (const std::exception& error) {
        m_busy.reset();
        showWorking(false);
        showResult(error.what());
    } catch (...) {
        m_busy.reset();
        showWorking(false);
        showResult("Unexpected error.");
    }
}

void JoinPanel::joinEnded(std::int16_t count) {
    try {
        m_busy.reset();
        showWorking(false);
        if (m_work.stoppedForClose())
            return;
        if (count >= 1)
            showResult(joinDoneText(count, m_destination));
        else if (m_engine.wasCancelled())
            showResult("The join into " + m_destination + " was cancelled. " +
                           (m_destinationExisted ? m_destination + " was left as it was."
                                                 : std::string("No file was written.")),
                       MsgIcon::Information);
        else
            showResult(kJoinFailedText);
        m_cmdJoin->setEnabled(!(m_policy.disableStartAfterJoin && count >= 1));
    } catch (...) {
        // Reached from the event loop: nothing may leave it.
    }
}

void JoinPanel::showWorking(bool working) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_txtJoinSourceFile, m_cmdSelectJoinFile, m_txtJoinDestination, m_cmdSelectJoinTarget})
        control->setEnabled(!working);
    Controls::showAsCancel(m_cmdJoin, working);
}

} // namespace carvel
