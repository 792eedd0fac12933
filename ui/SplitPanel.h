#pragma once

#include "BusyPointer.h"
#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "QtUiThread.h"
#include "flow/ISplitView.h"
#include "flow/SplitFlow.h"

#include <QGroupBox>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace carvel {

// The split panel, frame "SplitDialog": the user chooses a source and a piece size in KB or MB,
// and Start cuts the source into a piece set beside it. It draws the panel and hands its events
// to its SplitFlow, which decides.
class SplitPanel final : public QGroupBox, public ISplitView {
    Q_OBJECT

public:
    SplitPanel(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
               std::string programTitle, QWidget* parent = nullptr);
    ~SplitPanel() override;

    SplitFlow& flow() { return m_flow; }
    bool isWorking() const { return m_flow.isWorking(); }

    QLineEdit* txtSplitSourceFile() const { return m_txtSplitSourceFile; }
    QToolButton* cmdSelectSplitFile() const { return m_cmdSelectSplitFile; }
    QLabel* filesize() const { return m_filesize; }
    QLineEdit* txtMaxChunkSize() const { return m_txtMaxChunkSize; }
    QRadioButton* optSizeMode(int index) const { return m_optSizeMode[index]; }
    QToolButton* cmdSplit() const { return m_cmdSplit; }

    std::string sourceText() const override;
    void setSourceText(const std::string& text) override;
    std::string sizeText() const override;
    void setFileSizeText(const std::string& text) override;
    void checkSizeMode(int index) override;
    void focus(InputField field) override;
    void showWorking(bool working) override;
    void setStartEnabled(bool enabled) override;
    void showBusyPointer(bool busy) override;
    void* owner() override;

private:
    std::optional<BusyPointer> m_busy;
    QtUiThread m_uiThread;

    QLabel* m_lblSplitSource;
    QLineEdit* m_txtSplitSourceFile;
    QToolButton* m_cmdSelectSplitFile;
    QLabel* m_filesize;
    QLabel* m_lblSizeMode;
    QLineEdit* m_txtMaxChunkSize;
    QGroupBox* m_frame3;
    QRadioButton* m_optSizeMode[2];
    QToolButton* m_cmdSplit;

    // Last: it goes first, stopping a split still running while the controls are there.
    SplitFlow m_flow;
};

} // namespace carvel
