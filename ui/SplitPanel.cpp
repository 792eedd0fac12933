#include "SplitPanel.h"

#include "Controls.h"
#include "flow/PanelChecks.h"
#include "SizeText.h"
#include "SplitGuards.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>
#include <exception>
#include <optional>

namespace carvel {

namespace {

// The size is shown for a plain file only: wildcard characters name no file, and a hidden file
// (its name starting with ".") is not listed, as a search for normal files would not find it.
bool namesNormalFile(const std::string& path, FileSystem& fs) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos)
        return false;
    const std::size_t slash = path.find_last_of('/');
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart < path.size() && path[nameStart] == '.')
        return false;
    return fs.FileExists(path);
}

} // namespace

SplitPanel::SplitPanel(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                       std::string programTitle, QWidget* parent)
    : QGroupBox(QStringLiteral("Split File"), parent), m_messageBox(messageBox),
      m_fileDialog(fileDialog), m_fs(fs), m_title(std::move(programTitle)), m_work(messageBox),
      m_engine(fs, m_work.engineMessageBox(), m_title) {
    setObjectName(QStringLiteral("SplitDialog"));
    setFont(Controls::windowFont());
    resize(twipsSize(6855, 2655));
    m_work.attach(m_engine);

    m_lblSplitSource = Controls::label(this, "lblSplitSource", QStringLiteral("Source File Name"),
                                       twipsRect(240, 360, 1500, 195));
    m_txtSplitSourceFile =
        Controls::textBox(this, "txtSplitSourceFile", twipsRect(240, 600, 2895, 375));
    // Its picture is the join panel's, given at start-up.
    m_cmdSelectSplitFile =
        Controls::pictureButton(this, "cmdSelectSplitFile", QStringLiteral("Select file to split"),
                                twipsRect(3240, 600, 375, 375));
    m_filesize = Controls::label(this, "filesize", QString(), twipsRect(3720, 660, 2055, 255));
    m_lblSizeMode = Controls::label(this, "lblSizeMode", QStringLiteral("Destination File Size"),
                                    twipsRect(240, 1200, 1800, 195));
    m_txtMaxChunkSize = Controls::textBox(this, "txtMaxChunkSize", twipsRect(240, 1440, 1575, 375));

    m_frame3 = new QGroupBox(QStringLiteral("Chunk Size Mode"), this);
    m_frame3->setObjectName(QStringLiteral("Frame3"));
    m_frame3->setGeometry(twipsRect(2040, 1200, 2055, 735));
    const char* const units[2] = {"KB", "MB"};
    for (int index = 0; index < 2; ++index) {
        auto* option = new QRadioButton(QLatin1String(units[index]), m_frame3);
        option->setObjectName(QStringLiteral("optSizeMode_%1").arg(index));
        option->setGeometry(twipsRect(180 + index * 900, 300, 810, 315));
        m_optSizeMode[index] = option;
        // Clicks and arrow keys alike select a unit.
        connect(option, &QRadioButton::toggled, this, [this, index](bool checked) {
            if (checked)
                optSizeMode_Click(index);
        });
    }

    m_cmdSplit = Controls::startButton(this, "cmdSplit", twipsRect(5760, 1680, 735, 615));

    // Screen readers name each control after its own label rather than after the panel.
    m_lblSplitSource->setBuddy(m_txtSplitSourceFile);
    m_lblSizeMode->setBuddy(m_txtMaxChunkSize);
    m_cmdSelectSplitFile->setAccessibleName(m_cmdSelectSplitFile->toolTip());
    m_frame3->setAccessibleName(m_frame3->title());

    connect(m_cmdSelectSplitFile, &QToolButton::clicked, this,
            &SplitPanel::cmdSelectSplitFile_Click);
    connect(m_txtSplitSourceFile, &QLineEdit::textChanged, this,
            &SplitPanel::txtSplitSourceFile_Change);
    connect(m_cmdSplit, &QToolButton::clicked, this, &SplitPanel::cmdSplit_Click);
}

SplitPanel::~SplitPanel() {
    // The run uses the engine, which goes before the work does.
    m_work.stopAndWait();
}

void* SplitPanel::owner() {
    return window();
}

void SplitPanel::cmdSelectSplitFile_Click() {
    // A cancelled dialog ends the choice silently, the source text unchanged.
    try {
        const std::optional<std::string> name = m_fileDialog.showOpen(owner());
        if (name && !name->empty())
            m_txtSplitSourceFile->setText(QString::fromStdString(*name));
    } catch (...) {
    }
}

void SplitPanel::txtSplitSourceFile_Change() {
    m_filesize->clear();
    try {
        const std::string path = trimBlanks(m_txtSplitSourceFile->text().toStdString());
        if (!namesNormalFile(path, m_fs))
            return;
        m_filesize->setText(SizeText::fileSize(m_fs.FileLen(path)));
    } catch (...) {
        // A file that vanishes while its name is typed simply shows no size.
        m_filesize->clear();
    }
}

void SplitPanel::optSizeMode_Click(int index) {
    if (!m_optSizeMode[index]->isChecked())
        m_optSizeMode[index]->setChecked(true);
    SizeMode = static_cast<std::int16_t>(index);
}

bool SplitPanel::CheckSplitInput() {
    try {
        const SplitCheck check = carvel::CheckSplitInput(
            m_txtSplitSourceFile->text().toStdString(), m_txtMaxChunkSize->text().toStdString(),
            SizeMode, m_fs, m_messageBox, m_title,
            [](const std::string& text) { return SizeText::readNumber(text); }, owner(), false);
        if (check.focus == InputField::SplitSource)
            m_txtSplitSourceFile->setFocus();
        else if (check.focus == InputField::SplitSize)
            m_txtMaxChunkSize->setFocus();
        if (check.ok) {
            PieceSizeBytes = check.pieceSizeBytes;
            SplitFolder = check.splitFolder;
        }
        return check.ok;
    } catch (const std::exception& error) {
        report(error.what(), "System Error", MsgIcon::Critical);
        return false;
    }
}

void SplitPanel::report(const std::string& text, const std::string& caption, MsgIcon icon) {
    m_messageBox.show({text, caption, MsgButtons::Ok, icon, MsgAnswer::Ok, owner()});
}

void SplitPanel::cmdSplit_Click() {
    if (m_work.isRunning()) {
        m_work.cancel();
        return;
    }
    try {
        if (!CheckSplitInput())
            return;
        SplitSourcePath = trimBlanks(m_txtSplitSourceFile->text().toStdString());
        // The split deletes an old piece folder first, so the busy pointer and the progress
        // show from the start.
        m_busy.emplace();
        showWorking(true);
        m_work.start(
            QString::fromStdString("The split of " + SplitSourcePath), QStringLiteral("Splitting"),
            [this, source = SplitSourcePath, size = PieceSizeBytes] {
                return m_engine.SplitFile(source, size);
            },
            [this](std::int16_t count) { splitEnded(count); });
    } catch (const std::exception& error) {
        m_busy.reset();
        showWorking(false);
        report(error.what(), m_title, MsgIcon::None);
    } catch (...) {
        m_busy.reset();
        showWorking(false);
        report("Unexpected error.", m_title, MsgIcon::None);
    }
}

void SplitPanel::splitEnded(std::int16_t count) {
    try {
        m_busy.reset();
        showWorking(false);
        if (m_work.stoppedForClose())
            return;
        if (count >= 1) {
            std::string text = splitDoneText(count, SplitFolder);
            if (const auto warning =
                    SplitGuards::windowsWarning(m_fs, SplitSourcePath, count, true))
                text += "\n\n" + *warning;
            report(text, m_title, MsgIcon::Information);
        } else if (m_engine.wasCancelled())
            report("The split of " + SplitSourcePath + " was cancelled. No pieces were kept.",
                   m_title, MsgIcon::Information);
        else
            report(kSplitFailedText, kSplitFailedCaption, MsgIcon::Critical);
        m_cmdSplit->setEnabled(true);
    } catch (...) {
        // Reached from the event loop: nothing may leave it.
    }
}

void SplitPanel::showWorking(bool working) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_txtSplitSourceFile, m_cmdSelectSplitFile, m_txtMaxChunkSize, m_frame3})
        control->setEnabled(!working);
    Controls::showAsCancel(m_cmdSplit, working);
}

} // namespace carvel
