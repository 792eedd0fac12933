#include "mdlMain.h"

#include "JoinScript.h"
#include "PieceSet.h"

#include <cmath>
#include <limits>
#include <stdexcept>

namespace carvel {

namespace {

// Piece counts and piece numbers are 16-bit. A set holds at most 32,766 pieces, which is what a
// join can read back: the number after 32,767 does not exist.
constexpr long long kMostPieces = 32766;
constexpr long long kLastPieceNumber = 32767;

// The errors of the counting itself, worded as the programs have always shown them.
[[noreturn]] void overflow() {
    throw std::overflow_error("Overflow");
}
[[noreturn]] void divisionByZero() {
    throw std::domain_error("Division by zero");
}

// Thrown at a copy step once the run was asked to stop; caught at the routine's boundary.
struct Cancelled {};

bool isCancel(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Cancelled&) {
        return true;
    } catch (...) {
        return false;
    }
}

std::string describe(std::exception_ptr error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unexpected error";
    }
}

} // namespace

mdlMain::mdlMain(FileSystem& fs, IMessageBox& messageBox, std::string programTitle)
    : m_fs(fs), m_messageBox(messageBox), m_title(std::move(programTitle)) {}

void mdlMain::stopIfCancelled() const {
    if (m_cancel != nullptr && m_cancel->load(std::memory_order_relaxed))
        throw Cancelled{};
}

std::int16_t mdlMain::SplitFile(std::string sourcePath, double pieceSize) {
    std::unique_ptr<TextStream> source;
    std::unique_ptr<TextStream> piece;
    std::unique_ptr<TextStream> script;
    std::string scriptPath;
    std::string madeFolder;
    m_cancelled = false;
    try {
        // Nearest whole byte, ties to the even neighbour (the default rounding mode).
        const double rounded = std::nearbyint(pieceSize);
        // No number of bytes at all: refused as a size beyond range is, before anything opens.
        if (std::isnan(rounded))
            overflow();
        source = m_fs.OpenTextFile(sourcePath);
        const FileLength length = m_fs.FileLen(sourcePath);

        // Sizes beyond any file length are compared as they are; every other size is whole.
        constexpr double kBeyond = 9.0e18;
        const bool longer = rounded >= kBeyond    ? false
                            : rounded <= -kBeyond ? true
                                                  : length > static_cast<FileLength>(rounded);
        if (!longer) {
            m_messageBox.show({"File is already smaller than destination file size, can not be "
                               "split.",
                               m_title, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok});
            return 0;
        }

        const std::string folder = PieceSet::pieceFolder(m_fs, sourcePath);
        const std::string fileName = m_fs.GetFileName(sourcePath);
        if (m_fs.FolderExists(folder))
            m_fs.DeleteFolder(folder, false);
        stopIfCancelled();
        m_fs.CreateFolder(folder);
        madeFolder = folder;

        // The count rounds down, the remainder keeps the sign of the length: a negative size
        // thus always gives a count below 1, and no piece is written.
        long long count = 0;
        FileLength size = 0;
        FileLength remainder = length;
        if (rounded == 0)
            divisionByZero();
        if (rounded > -kBeyond) {
            size = static_cast<FileLength>(rounded);
            count = length / size;
            remainder = length % size;
            if (remainder != 0 && (remainder < 0) != (size < 0))
                --count;
        } else {
            count = length > 0 ? -1 : 0;
        }
        if (count < std::numeric_limits<std::int16_t>::min() || count > kLastPieceNumber)
            overflow();
        if (remainder > 0)
            ++count;
        // A set of 32,767 pieces could not be joined again; refused before any piece exists.
        if (count > kMostPieces)
            overflow();

        const int width = PieceSet::numberWidth(count);
        std::string scriptText = JoinScript::head(fileName);
        FileLength done = 0;
        for (long long i = 1; i <= count; ++i) {
            const FileLength pieceLength = (i == count && remainder > 0) ? remainder : size;
            stopIfCancelled();
            piece = m_fs.CreateTextFile(PieceSet::piecePath(folder, fileName, i, width), true);
            m_fs.CopyBytes(*source, *piece, pieceLength, [&](FileLength copied) {
                stopIfCancelled();
                if (m_progress)
                    m_progress(done + copied, length);
            });
            piece->Close();
            piece.reset();
            done += pieceLength;
            scriptText += JoinScript::pieceLine(fileName, i, width);
        }
        source->Close();
        source.reset();
        stopIfCancelled();

        if (count > 0) {
            scriptText += JoinScript::tail(fileName);
            script = m_fs.CreateTextFile(folder + "/JoinFiles.bat", true);
            scriptPath = folder + "/JoinFiles.bat";
            script->Write(scriptText);
            scriptText.clear();
            script->Close();
            script.reset();
            scriptPath.clear();
        }
        return static_cast<std::int16_t>(count);
    } catch (...) {
        const std::string description = describe(std::current_exception());
        m_cancelled = isCancel(std::current_exception());
        // Whatever is still open is released without a word: the first error is the one shown.
        piece.reset();
        script.reset();
        source.reset();
        if (m_cancelled) {
            // Everything in the folder is this run's: the old set went before it was made.
            try {
                if (!madeFolder.empty())
                    m_fs.DeleteFolder(madeFolder, true);
            } catch (...) {
                // What could not be removed stays; the run still ends as stopped.
            }
            return 0;
        }
        // A failed split leaves no script: a piece folder with JoinFiles.bat is a whole set.
        if (!scriptPath.empty()) {
            try {
                m_fs.DeleteFile(scriptPath);
            } catch (...) {
                // The description shown stays the first error's.
            }
        }
        m_messageBox.show({description, m_title, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok});
        return 0;
    }
}

std::int16_t mdlMain::JoinPieces(const std::string& destination, const std::string& pattern,
                                 std::int16_t overwrite) {
    std::unique_ptr<TextStream> target;
    std::unique_ptr<TextStream> piece;
    std::string tempPath;
    m_cancelled = false;
    try {
        if (pattern.size() > static_cast<std::size_t>(kLastPieceNumber))
            overflow();
        const std::size_t baseLength = pattern.find_last_not_of('?') + 1;
        if (baseLength == 0)
            throw std::invalid_argument("Invalid piece pattern \"" + pattern +
                                        "\": no file name before the question marks");
        const std::string base = pattern.substr(0, baseLength);
        const int width = static_cast<int>(pattern.size() - baseLength);
        auto pathOf = [&](long long i) { return base + PieceSet::numberText(i, width); };
        auto isPiece = [&](long long i) {
            const bool exists = m_fs.FileExists(pathOf(i));
            const bool fits = PieceSet::numberWidth(i) <= width;
            return exists && fits;
        };

        if (!m_fs.FileExists(pathOf(1)))
            return 0;
        if (overwrite == 0 && m_fs.FileExists(destination))
            return 0;

        // Looked over first, so that a join that cannot end well changes nothing at all.
        FileLength total = 0;
        long long pieces = 0;
        for (long long i = 1; isPiece(i); ++i) {
            stopIfCancelled();
            if (m_fs.SameFile(pathOf(i), destination))
                throw FileSystemError("Cannot write file " + destination + ": it is the piece " +
                                      pathOf(i) + " of the set");
            if (i == kLastPieceNumber)
                overflow();
            total += m_fs.FileLen(pathOf(i));
            pieces = i;
        }
        if (pieces == 0)
            return 0;

        // Built beside the destination and renamed into place once complete, so that an
        // existing destination survives any failure unchanged. A destination that is a link
        // gets the content in the file it names, as writing to it would, and stays a link.
        const std::string finalPath = m_fs.FinalPath(destination);
        target = m_fs.CreateTempFileBeside(finalPath, tempPath);
        std::int16_t count = 0;
        FileLength done = 0;
        for (long long i = 1; isPiece(i); ++i) {
            if (i == kLastPieceNumber)
                overflow();
            ++count;
            piece = m_fs.OpenTextFile(pathOf(i));
            const FileLength length = m_fs.FileLen(pathOf(i));
            m_fs.CopyBytes(*piece, *target, length, [&](FileLength copied) {
                stopIfCancelled();
                if (m_progress)
                    m_progress(done + copied, total);
            });
            piece->Close();
            piece.reset();
            done += length;
        }
        target->Close();
        target.reset();
        stopIfCancelled();
        if (count == 0) {
            // The pieces went away since they were looked over: nothing to put in place.
            m_fs.DeleteFile(tempPath);
            return 0;
        }
        m_fs.MoveFile(tempPath, finalPath);
        tempPath.clear();
        return count;
    } catch (...) {
        const std::string description = describe(std::current_exception());
        piece.reset();
        target.reset();
        if (!tempPath.empty()) {
            try {
                m_fs.DeleteFile(tempPath);
            } catch (...) {
                // The description shown is the first error's; a leftover temporary file is
                // the lesser harm.
            }
        }
        m_cancelled = isCancel(std::current_exception());
        if (m_cancelled)
            return 0;
        m_messageBox.show({description, m_title, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok});
        return 0;
    }
}

} // namespace carvel
