#include "JoinPanel.h"

#include "Artwork.h"
#include "Controls.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

namespace carvel {

JoinPanel::JoinPanel(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                     JoinPolicy policy, QWidget* parent)
    : QGroupBox(QStringLiteral("Join Files"), parent),
      m_flow(*this, messageBox, fileDialog, fs, m_uiThread, std::move(policy)) {
    setObjectName(QStringLiteral("JoinDialog"));
    setFont(Controls::windowFont());
    resize(twipsSize(6855, 2655));

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

    connect(m_cmdSelectJoinFile, &QToolButton::clicked, this,
            [this] { m_flow.cmdSelectJoinFile_Click(); });
    connect(m_cmdSelectJoinTarget, &QToolButton::clicked, this,
            [this] { m_flow.cmdSelectJoinTarget_Click(); });
    connect(m_cmdJoin, &QToolButton::clicked, this, [this] { m_flow.cmdJoin_Click(); });
}

JoinPanel::~JoinPanel() = default;

void* JoinPanel::owner() {
    return window();
}

std::string JoinPanel::sourceText() const {
    return m_txtJoinSourceFile->text().toStdString();
}

void JoinPanel::setSourceText(const std::string& text) {
    m_txtJoinSourceFile->setText(QString::fromStdString(text));
}

std::string JoinPanel::destinationText() const {
    return m_txtJoinDestination->text().toStdString();
}

void JoinPanel::setDestinationText(const std::string& text) {
    m_txtJoinDestination->setText(QString::fromStdString(text));
}

void JoinPanel::focus(InputField field) {
    if (field == InputField::JoinSource)
        m_txtJoinSourceFile->setFocus();
    else if (field == InputField::JoinDestination)
        m_txtJoinDestination->setFocus();
}

void JoinPanel::setStartEnabled(bool enabled) {
    m_cmdJoin->setEnabled(enabled);
}

void JoinPanel::showBusyPointer(bool busy) {
    if (busy)
        m_busy.emplace();
    else
        m_busy.reset();
}

void JoinPanel::showWorking(bool working) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_txtJoinSourceFile, m_cmdSelectJoinFile, m_txtJoinDestination, m_cmdSelectJoinTarget})
        control->setEnabled(!working);
    Controls::showAsCancel(m_cmdJoin, working);
}

} // namespace carvel
