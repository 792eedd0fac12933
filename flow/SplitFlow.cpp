#include "flow/SplitFlow.h"

#include "SplitGuards.h"
#include "flow/PanelChecks.h"
#include "flow/SizeText.h"

#include <exception>
#include <optional>

namespace carvel {

namespace {

// A backslash separates folders on Windows only: on Linux it is part of a name.
#ifdef _WIN32
constexpr const char* kFolderSeparators = "/\\";
#else
constexpr const char* kFolderSeparators = "/";
#endif

// The size is shown for a plain file only: wildcard characters name no file, and a hidden file
// (its name starting with ".") is not listed, as a search for normal files would not find it.
bool namesNormalFile(const std::string& path, FileSystem& fs) {
    if (path.empty() || path.find_first_of("*?") != std::string::npos)
        return false;
    const std::size_t slash = path.find_last_of(kFolderSeparators);
    const std::size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    if (nameStart < path.size() && path[nameStart] == '.')
        return false;
    return fs.FileExists(path);
}

} // namespace

SplitFlow::SplitFlow(ISplitView& view, IMessageBox& messageBox, IFileDialog& fileDialog,
                     FileSystem& fs, IUiThread& uiThread, std::string programTitle,
                     NumberFormat numberFormat)
    : m_view(view), m_messageBox(messageBox), m_fileDialog(fileDialog), m_fs(fs),
      m_title(std::move(programTitle)), m_numberFormat(std::move(numberFormat)),
      m_work(messageBox, uiThread), m_engine(fs, m_work.engineMessageBox(), m_title) {
    m_work.attach(m_engine);
}

SplitFlow::~SplitFlow() {
    // The run uses the engine, which goes before the work does.
    m_work.stopAndWait();
}

void SplitFlow::cmdSelectSplitFile_Click() {
    // A cancelled dialog ends the choice silently, the source text unchanged.
    try {
        const std::optional<std::string> name = m_fileDialog.showOpen(m_view.owner());
        if (name && !name->empty())
            m_view.setSourceText(*name);
    } catch (...) {
    }
}

void SplitFlow::txtSplitSourceFile_Change() {
    m_view.setFileSizeText({});
    try {
        const std::string path = trimBlanks(m_view.sourceText());
        if (!namesNormalFile(path, m_fs))
            return;
        m_view.setFileSizeText(SizeText::fileSize(m_fs.FileLen(path), m_numberFormat));
    } catch (...) {
        // A file that vanishes while its name is typed simply shows no size.
        m_view.setFileSizeText({});
    }
}

void SplitFlow::optSizeMode_Click(int index) {
    m_view.checkSizeMode(index);
    SizeMode = static_cast<std::int16_t>(index);
}

bool SplitFlow::CheckSplitInput() {
    try {
        const SplitCheck check = carvel::CheckSplitInput(
            m_view.sourceText(), m_view.sizeText(), SizeMode, m_fs, m_messageBox, m_title,
            [this](const std::string& text) { return SizeText::readNumber(text, m_numberFormat); },
            m_view.owner(), false);
        if (check.focus != InputField::None)
            m_view.focus(check.focus);
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

void SplitFlow::report(const std::string& text, const std::string& caption, MsgIcon icon) {
    m_messageBox.show({text, caption, MsgButtons::Ok, icon, MsgAnswer::Ok, m_view.owner()});
}

void SplitFlow::cmdSplit_Click() {
    if (m_work.isRunning()) {
        m_work.cancel();
        return;
    }
    try {
        if (!CheckSplitInput())
            return;
        SplitSourcePath = trimBlanks(m_view.sourceText());
        // The split deletes an old piece folder first, so the busy pointer and the progress
        // show from the start.
        showWorking(true);
        m_work.start(
            splitWorkName(SplitSourcePath), "Splitting",
            [this, source = SplitSourcePath, size = PieceSizeBytes] {
                return m_engine.SplitFile(source, size);
            },
            [this](std::int16_t count) { splitEnded(count); });
    } catch (const std::exception& error) {
        showWorking(false);
        report(error.what(), m_title, MsgIcon::None);
    } catch (...) {
        showWorking(false);
        report(kUnexpectedErrorText, m_title, MsgIcon::None);
    }
}

void SplitFlow::dropSplitSource(const std::string& path) {
    m_view.setSourceText(path);
}

void SplitFlow::enableStart() {
    m_view.setStartEnabled(true);
}

void SplitFlow::splitEnded(std::int16_t count) {
    try {
        showWorking(false);
        if (m_work.stoppedForClose())
            return;
        if (count >= 1) {
            std::string text = splitDoneText(count, SplitFolder);
            if (const auto warning =
                    SplitGuards::windowsWarning(m_fs, SplitSourcePath, count, true))
                text += "\n\n" + *warning;
            report(text, m_title, MsgIcon::Information);
        } else if (m_engine.wasCancelled()) {
            report(splitCancelledText(SplitSourcePath), m_title, MsgIcon::Information);
        } else {
            report(kSplitFailedText, kSplitFailedCaption, MsgIcon::Critical);
        }
        m_view.setStartEnabled(true);
    } catch (...) {
        // Reached from the window's event loop: nothing may leave it.
    }
}

void SplitFlow::showWorking(bool working) {
    m_view.showBusyPointer(working);
    m_view.showWorking(working);
}

} // namespace carvel
