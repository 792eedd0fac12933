#pragma once

#include "BackgroundWork.h"
#include "BusyPointer.h"
#include "FileSystem.h"
#include "IFileDialog.h"
#include "IMessageBox.h"
#include "mdlMain.h"

#include <QGroupBox>
#include <cstdint>
#include <optional>
#include <string>

class QLabel;
class QLineEdit;
class QRadioButton;
class QToolButton;

namespace carvel {

// The split panel, frame "SplitDialog": the user chooses a source and a piece size in KB or MB,
// and Start cuts the source into a piece set beside it.
class SplitPanel final : public QGroupBox {
    Q_OBJECT

public:
    SplitPanel(IMessageBox& messageBox, IFileDialog& fileDialog, FileSystem& fs,
               std::string programTitle, QWidget* parent = nullptr);
    ~SplitPanel() override;

    void cmdSelectSplitFile_Click();
    void txtSplitSourceFile_Change();
    void optSizeMode_Click(int index);
    bool CheckSplitInput();
    // Starts the split on the worker thread after the checks; while it runs, Start reads
    // Cancel and stops it.
    void cmdSplit_Click();

    bool isWorking() const { return m_work.isRunning(); }
    BackgroundWork* work() { return &m_work; }

    QLineEdit* txtSplitSourceFile() const { return m_txtSplitSourceFile; }
    QToolButton* cmdSelectSplitFile() const { return m_cmdSelectSplitFile; }
    QLabel* filesize() const { return m_filesize; }
    QLineEdit* txtMaxChunkSize() const { return m_txtMaxChunkSize; }
    QRadioButton* optSizeMode(int index) const { return m_optSizeMode[index]; }
    QToolButton* cmdSplit() const { return m_cmdSplit; }

    std::int16_t SizeMode = 0;
    double PieceSizeBytes = 0;
    std::string SplitFolder;
    std::string SplitSourcePath;

private:
    void* owner();
    void report(const std::string& text, const std::string& caption, MsgIcon icon);
    void splitEnded(std::int16_t count);
    // The boxes and choices cannot be used while a split runs; Start reads Cancel.
    void showWorking(bool working);

    IMessageBox& m_messageBox;
    IFileDialog& m_fileDialog;
    FileSystem& m_fs;
    std::string m_title;
    BackgroundWork m_work;
    mdlMain m_engine;
    std::optional<BusyPointer> m_busy;

    QLabel* m_lblSplitSource;
    QLineEdit* m_txtSplitSourceFile;
    QToolButton* m_cmdSelectSplitFile;
    QLabel* m_filesize;
    QLabel* m_lblSizeMode;
    QLineEdit* m_txtMaxChunkSize;
    QGroupBox* m_frame3;
    QRadioButton* m_optSizeMode[2];
    QToolButton* m_cmdSplit;
};

} // namespace carvel
