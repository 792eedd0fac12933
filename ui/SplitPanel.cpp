#include "SplitPanel.h"

#include "Controls.h"
#include "QtNumberFormat.h"
#include "Twips.h"

#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QToolButton>

namespace carvel {

SplitPanel::SplitPanel(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
                       std::string programTitle, QWidget* parent)
    : QGroupBox(QStringLiteral("Split File"), parent),
      m_flow(*this, messageBox, fileDialog, fs, m_uiThread, std::move(programTitle),
             numberFormatOf()) {
    setObjectName(QStringLiteral("SplitDialog"));
    setFont(Controls::windowFont());
    resize(twipsSize(6855, 2655));

    m_lblSplitSource = Controls::label(this, "lblSplitSource", QStringLiteral("Source File Name"),
                                       twipsRect(240, 360, 1500, 195));
    m_txtSplitSourceFile =
        Controls::textBox(this, "txtSplitSourceFile", twipsRect(240, 600, 2895, 375));
    // Its picture is the join panel's, given by the window.
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
                m_flow.optSizeMode_Click(index);
        });
    }

    m_cmdSplit = Controls::startButton(this, "cmdSplit", twipsRect(5760, 1680, 735, 615));

    // Screen readers name each control after its own label rather than after the panel.
    m_lblSplitSource->setBuddy(m_txtSplitSourceFile);
    m_lblSizeMode->setBuddy(m_txtMaxChunkSize);
    m_cmdSelectSplitFile->setAccessibleName(m_cmdSelectSplitFile->toolTip());
    m_frame3->setAccessibleName(m_frame3->title());

    connect(m_cmdSelectSplitFile, &QToolButton::clicked, this,
            [this] { m_flow.cmdSelectSplitFile_Click(); });
    connect(m_txtSplitSourceFile, &QLineEdit::textChanged, this,
            [this] { m_flow.txtSplitSourceFile_Change(); });
    connect(m_cmdSplit, &QToolButton::clicked, this, [this] { m_flow.cmdSplit_Click(); });
}

SplitPanel::~SplitPanel() = default;

void* SplitPanel::owner() {
    return window();
}

std::string SplitPanel::sourceText() const {
    return m_txtSplitSourceFile->text().toStdString();
}

void SplitPanel::setSourceText(const std::string& text) {
    m_txtSplitSourceFile->setText(QString::fromStdString(text));
}

std::string SplitPanel::sizeText() const {
    return m_txtMaxChunkSize->text().toStdString();
}

void SplitPanel::setFileSizeText(const std::string& text) {
    m_filesize->setText(QString::fromStdString(text));
}

void SplitPanel::checkSizeMode(int index) {
    if (!m_optSizeMode[index]->isChecked())
        m_optSizeMode[index]->setChecked(true);
}

void SplitPanel::focus(InputField field) {
    if (field == InputField::SplitSource)
        m_txtSplitSourceFile->setFocus();
    else if (field == InputField::SplitSize)
        m_txtMaxChunkSize->setFocus();
}

void SplitPanel::setStartEnabled(bool enabled) {
    m_cmdSplit->setEnabled(enabled);
}

void SplitPanel::showBusyPointer(bool busy) {
    if (busy)
        m_busy.emplace();
    else
        m_busy.reset();
}

void SplitPanel::showWorking(bool working) {
    for (QWidget* control : std::initializer_list<QWidget*>{
             m_txtSplitSourceFile, m_cmdSelectSplitFile, m_txtMaxChunkSize, m_frame3})
        control->setEnabled(!working);
    Controls::showAsCancel(m_cmdSplit, working);
}

} // namespace carvel
