#include "mdlMain.h"

#include "ChecksumFile.h"
#include "FileHasher.h"
#include "JoinScript.h"
#include "PathSeparator.h"
#include "PieceListing.h"
#include "PieceSet.h"
#include "ShellJoinScript.h"
#include "SplitGuards.h"
#include "SyncFiles.h"
#include "UnfinishedSplit.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

namespace carvel {

namespace {

// Piece counts and piece numbers are 16-bit. A set holds at most 32,766 pieces, which is what a
// join can read back: the number after 32,767 does not exist.
constexpr long long kMostPieces = 32766;
constexpr long long kLastPieceNumber = 32767;

// Checksums are made on two threads beside the copying: a split hashes the whole file on one and
// its pieces on the other, a join hashes two pieces at a time.
constexpr int kHashThreads = 2;

// The errors of the counting itself, worded as the programs have always shown them.
[[noreturn]] void overflow() {
    throw std::overflow_error("Overflow");
}
[[noreturn]] void divisionByZero() {
    throw std::domain_error("Division by zero");
}

void refuse(const std::optional<std::string>& why) {
    if (why)
        throw FileSystemError(*why);
}

// Writes a small file of the set and waits until it is on the disk; stream holds it meanwhile,
// so that the caller's failure path releases it.
void writeToDisk(FileSystem& fs, const std::string& path, const std::string& text,
                 std::unique_ptr<TextStream>& stream) {
    stream = fs.CreateTextFile(path, true);
    stream->Write(text);
    stream->Sync();
    stream->Close();
    stream.reset();
}

// The folder a path names its file in, for syncing that file's name.
std::string folderOf(FileSystem& fs, const std::string& path) {
    const std::string folder = fs.GetParentFolderName(path);
    return folder.empty() ? std::string(".") : folder;
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

void mdlMain::enterPhase(Phase phase) const {
    if (m_phaseChange)
        m_phaseChange(phase);
}

std::int16_t mdlMain::SplitFile(std::string sourcePath, double pieceSize) {
    std::unique_ptr<FileLock> lock;
    std::unique_ptr<TextStream> source;
    std::unique_ptr<TextStream> piece;
    std::unique_ptr<TextStream> script;
    std::unique_ptr<TextStream> sumsFile;
    std::unique_ptr<FileHasher> hasher;
    std::string scriptPath;
    std::string shellPath;
    std::string sumsPath;
    std::string madeFolder;
    std::string markPath;
    bool sourceChanged = false;
    m_cancelled = false;
    try {
        // Nearest whole byte, ties to the even neighbour (the default rounding mode).
        const double rounded = std::nearbyint(pieceSize);
        // No number of bytes at all: refused as a size beyond range is, before anything opens.
        if (std::isnan(rounded))
            overflow();
        refuse(SplitGuards::nameRefusal(m_fs, sourcePath));
        source = m_fs.OpenTextFile(sourcePath);
        const std::string stamp = m_fs.FileStamp(sourcePath);
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
        refuse(SplitGuards::lockRefusal(m_fs, sourcePath, lock));
        refuse(SplitGuards::folderRefusal(m_fs, sourcePath, folder));

        // Everything that can refuse the split, or keep it from starting, comes before an old
        // set is deleted: the count, and the threads of the hashing.

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
        auto pieceLength = [&](long long i) {
            return (i == count && remainder > 0) ? remainder : size;
        };
        // A negative size gives no piece: nothing to write, and nothing to delete for it.
        if (count < 1)
            return static_cast<std::int16_t>(count);
        if (m_checksums) {
            // Each piece read back once it is written, twice beside the copying: for the whole
            // file and for itself. The checksums then describe the pieces as they were written.
            FileHasher::Task whole;
            FileLength at = 0;
            for (long long i = 1; i <= count; ++i) {
                const std::string path = PieceSet::piecePath(folder, fileName, i, width);
                whole.parts.push_back(
                    {[this, path] { return m_fs.OpenTextFile(path); }, pieceLength(i), at});
                at += pieceLength(i);
            }
            FileHasher::Task each = whole;
            each.digestEach = true;
            hasher = std::make_unique<FileHasher>(
                std::vector<FileHasher::Task>{std::move(whole), std::move(each)}, kHashThreads);
        }
        if (m_fs.FolderExists(folder))
            m_fs.DeleteFolder(folder, false);
        stopIfCancelled();
        m_fs.CreateFolder(folder);
        madeFolder = folder;
        // On the disk before the first piece, removed once the whole set is: a folder that
        // still holds it after a kill or a power cut is never taken for a set.
        markPath = UnfinishedSplit::markPath(folder, fileName);
        std::unique_ptr<TextStream> markFile;
        writeToDisk(m_fs, markPath, UnfinishedSplit::markText(fileName), markFile);
        m_fs.SyncFolder(folder);
        FileLength done = 0;
        // Progress is that of the slowest of the copying and the two hashings; each report is a
        // step at which a run asked to stop does so.
        auto report = [&](FileLength copied) {
            if (hasher)
                hasher->ready(done + copied);
            stopIfCancelled();
            if (m_progress)
                m_progress(hasher ? std::min(done + copied, hasher->hashed() / 2) : done + copied,
                           length);
        };
        std::string scriptText = JoinScript::head(fileName);
        for (long long i = 1; i <= count; ++i) {
            stopIfCancelled();
            piece = m_fs.CreateTextFile(PieceSet::piecePath(folder, fileName, i, width), true);
            m_fs.CopyBytes(*source, *piece, pieceLength(i), report);
            // Its write-back runs while the next piece is copied; the end waits for it.
            piece->StartSync();
            piece->Close();
            piece.reset();
            done += pieceLength(i);
            scriptText += JoinScript::pieceLine(fileName, i, width);
        }
        source->Close();
        source.reset();
        stopIfCancelled();
        if (m_fs.FileStamp(sourcePath) != stamp) {
            sourceChanged = true;
            throw FileSystemError("The file " + sourcePath +
                                  " changed while it was split; split it again once nothing "
                                  "writes to it");
        }

        std::string sums;
        if (hasher) {
            const auto results = hasher->wait([&] { report(0); });
            report(0);
            stopIfCancelled();
            hasher.reset();
            for (const auto& result : results)
                if (result.error)
                    std::rethrow_exception(result.error);
            for (long long i = 1; i <= count; ++i)
                sums += ChecksumFile::line(results[1].digests[static_cast<std::size_t>(i - 1)],
                                           fileName + "." + PieceSet::numberText(i, width));
            sums += ChecksumFile::line(results[0].digests.front(), fileName);
        }

        // The pieces' write-back began as each was complete; here it is waited for, with a step
        // per piece at which a run asked to stop does so.
        enterPhase(Phase::WritingToDisk);
        std::vector<std::string> pieces;
        for (long long i = 1; i <= count; ++i)
            pieces.push_back(PieceSet::piecePath(folder, fileName, i, width));
        syncFiles(m_fs, pieces, [&] { report(0); });

        // After the pieces are on the disk, and whole under its name or not there at all, so
        // that "sha256sum -c" never passes part of a set.
        if (m_checksums) {
            const std::string finalSums = folder + kPathSeparator + fileName + ".sha256";
            sumsPath = finalSums + ".part";
            writeToDisk(m_fs, sumsPath, sums, sumsFile);
            m_fs.SyncFolder(folder);
            m_fs.MoveFile(sumsPath, finalSums);
            sumsPath.clear();
        }

        // The script for POSIX shells before JoinFiles.bat, which stays the last file.
        shellPath = folder + kPathSeparator + "JoinFiles.sh";
        writeToDisk(m_fs, shellPath, ShellJoinScript::text(fileName, count, width, m_checksums),
                    script);
        shellPath.clear();

        scriptText += JoinScript::tail(fileName);
        scriptPath = folder + kPathSeparator + "JoinFiles.bat";
        writeToDisk(m_fs, scriptPath, scriptText, script);
        scriptText.clear();
        scriptPath.clear();

        // The mark goes last, once every other name of the set is on the disk; the set is
        // done when its going is.
        m_fs.SyncFolder(folder);
        m_fs.DeleteFile(markPath);
        markPath.clear();
        m_fs.SyncFolder(folder);
        m_fs.SyncFolder(folderOf(m_fs, folder));
        return static_cast<std::int16_t>(count);
    } catch (...) {
        const std::string description = describe(std::current_exception());
        m_cancelled = isCancel(std::current_exception());
        // Whatever is still open is released without a word: the first error is the one shown.
        hasher.reset();
        piece.reset();
        script.reset();
        sumsFile.reset();
        source.reset();
        if (m_cancelled || sourceChanged) {
            // Everything in the folder is this run's: the old set went before it was made. Of
            // a source that changed meanwhile, no piece is worth keeping. The mark goes last,
            // so that a power cut on the way leaves no unmarked part of a set.
            try {
                if (!madeFolder.empty()) {
                    for (const std::string& name : m_fs.ListFiles(madeFolder))
                        if (madeFolder + kPathSeparator + name != markPath)
                            m_fs.DeleteFile(madeFolder + kPathSeparator + name);
                    m_fs.DeleteFolder(madeFolder, true);
                }
            } catch (...) {
                // What could not be removed stays; the run still ends as stopped.
            }
            if (m_cancelled)
                return 0;
        }
        // A failed split leaves no script and no partial checksum file: a piece folder with
        // JoinFiles.bat is a whole set.
        for (const std::string* partial : {&sumsPath, &shellPath, &scriptPath}) {
            if (partial->empty())
                continue;
            try {
                m_fs.DeleteFile(*partial);
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
    std::unique_ptr<ResultFile> target;
    std::unique_ptr<TextStream> piece;
    std::unique_ptr<FileHasher> hasher;
    bool overwritten = false;
    m_cancelled = false;
    try {
        if (pattern.size() > static_cast<std::size_t>(kLastPieceNumber))
            overflow();
        const PieceListing set = PieceListing::take(m_fs, pattern);
        refuse(UnfinishedSplit::refusal(m_fs, set.base));
        if (!set.foundAny())
            return 0;
        // A set that is not whole would join into a short file: refused before anything is made.
        if (set.missing != 0)
            throw std::runtime_error(missingPieceText(set.nameOf(set.missing)));
        // Asked once: a file that appears after this is another's, and is never replaced.
        const bool exists = m_fs.FileExists(destination);
        if (overwrite == 0 && exists)
            return 0;
        if (set.count >= kLastPieceNumber)
            overflow();

        // Looked over first, so that a join that cannot end well changes nothing at all.
        FileLength total = 0;
        std::vector<FileLength> lengths;
        for (long long i = 1; i <= set.count; ++i) {
            stopIfCancelled();
            // Only a destination that exists can be one of the pieces.
            if (exists && m_fs.SameFile(set.pathOf(i), destination))
                throw FileSystemError("Cannot write file " + destination + ": it is the piece " +
                                      set.pathOf(i) + " of the set");
            // A piece that is a link could copy out a file that only this user may read.
            if (m_fs.IsLink(set.pathOf(i)))
                throw FileSystemError(linkRefusalText(set.pathOf(i)));
            lengths.push_back(m_fs.FileLen(set.pathOf(i)));
            total += lengths.back();
        }
        // Progress is that of the slower of the copying and the checking; each report is a step
        // at which a run asked to stop does so.
        // The whole file's check reads every byte a second time.
        const FileLength hashedPerByte = set.wholeDigest.empty() || set.digests.empty() ? 1 : 2;
        auto report = [&](FileLength done) {
            stopIfCancelled();
            if (m_progress)
                m_progress(hasher ? std::min(done, hasher->hashed() / hashedPerByte) : done, total);
        };
        // Each piece's own file checked against its checksum, where the result cannot show
        // what went into it; the damaged ones named, one a line.
        auto checkPieces = [&](std::vector<std::size_t> which) {
            std::vector<FileHasher::Task> tasks;
            for (const std::size_t i : which)
                tasks.push_back(FileHasher::wholeFile(
                    m_fs, set.pathOf(static_cast<long long>(i) + 1), lengths[i], set.digests[i]));
            FileHasher pieces(std::move(tasks), kHashThreads);
            return pieces.wait([&] { report(0); });
        };
        auto damagedText = [&](const std::vector<FileHasher::Result>& results,
                               const std::vector<std::size_t>& which) {
            std::string damaged;
            for (std::size_t k = 0; k < results.size(); ++k) {
                if (results[k].error)
                    std::rethrow_exception(results[k].error);
                const std::size_t i = which[k];
                // The length checked is the length copied: a piece that changed in between is
                // no piece that was checked.
                if (results[k].digests.front() != set.digests[i] || results[k].length != lengths[i])
                    damaged += (damaged.empty() ? "" : "\n") +
                               damagedPieceText(set.nameOf(static_cast<long long>(i) + 1));
            }
            return damaged;
        };
        std::vector<std::size_t> everyPiece;
        for (std::size_t i = 0; i < lengths.size(); ++i)
            everyPiece.push_back(i);

        // Built out of sight and put in place once complete, so that an existing destination
        // survives any failure unchanged. A destination that is a link gets the content in the
        // file it names, as writing to it would, and stays a link. Only a file there now, with
        // the caller's consent, is replaced: one that appears while the join runs is kept.
        const std::string finalPath = m_fs.FinalPath(destination);
        const std::string parent = m_fs.GetParentFolderName(finalPath);
        const FileLength largest = m_fs.LargestFile(parent.empty() ? "." : parent);
        if (total > largest)
            throw FileSystemError("Cannot create file " + destination + ": its file system holds " +
                                  std::to_string(largest) + " bytes at most in one file, and the " +
                                  "set joins into " + std::to_string(total));
        target = m_fs.CreateResultFile(finalPath, exists);
        // Written in place, the destination is lost once the first byte goes in: the whole set
        // is checked before that.
        if (!set.digests.empty() && target->InPlace()) {
            const std::string damaged = damagedText(checkPieces(everyPiece), everyPiece);
            if (!damaged.empty())
                throw std::runtime_error(damaged);
        }
        if (!set.digests.empty()) {
            // What each piece put into the result, read back from it once copied, so that a
            // piece that changes during the join cannot pass. Where the result cannot be read,
            // each piece's file is read beside the copying instead.
            ResultFile* result = target.get();
            const bool readBack = result->ReadBack(0) != nullptr;
            std::vector<FileHasher::Task> tasks;
            FileLength offset = 0;
            for (std::size_t i = 0; i < lengths.size(); ++i) {
                FileHasher::Task task = FileHasher::wholeFile(
                    m_fs, set.pathOf(static_cast<long long>(i) + 1), lengths[i], set.digests[i]);
                if (readBack)
                    task.parts.front() = {[result, offset] { return result->ReadBack(offset); },
                                          lengths[i], offset};
                tasks.push_back(std::move(task));
                offset += lengths[i];
            }
            // The file as a whole against its own line too, last: pieces that each match a
            // forged line can still make a file that is not the one the set was made from.
            if (!set.wholeDigest.empty()) {
                FileHasher::Task whole;
                whole.expected = set.wholeDigest;
                if (readBack)
                    whole.parts.push_back({[result] { return result->ReadBack(0); }, total, 0});
                else
                    for (const FileHasher::Task& each : tasks)
                        whole.parts.push_back(each.parts.front());
                tasks.push_back(std::move(whole));
            }
            hasher = std::make_unique<FileHasher>(std::move(tasks), kHashThreads);
        }
        FileLength done = 0;
        // A damaged piece found on the way ends the copying; the checking goes on to name all.
        for (long long i = 1; i <= set.count && !(hasher && hasher->mismatchFound()); ++i) {
            piece = m_fs.OpenReceivedFile(set.pathOf(i));
            const FileLength length = lengths[static_cast<std::size_t>(i - 1)];
            overwritten = target->InPlace();
            m_fs.CopyBytes(*piece, target->stream(), length, [&](FileLength copied) {
                if (hasher)
                    hasher->ready(done + copied);
                report(done + copied);
            });
            // The result's write-back runs while the next piece is copied.
            target->stream().StartSync();
            piece->Close();
            piece.reset();
            done += length;
            if (hasher)
                hasher->ready(done);
        }
        if (hasher) {
            auto results = hasher->wait([&] { report(done); });
            report(done);
            hasher.reset();
            std::optional<FileHasher::Result> whole;
            if (!set.wholeDigest.empty()) {
                whole = std::move(results.back());
                results.pop_back();
            }
            // The pieces not copied after a damaged one are checked in their own files.
            std::vector<std::size_t> rest;
            for (std::size_t i = 0; i < results.size(); ++i)
                if (results[i].skipped)
                    rest.push_back(i);
            if (!rest.empty()) {
                auto more = checkPieces(rest);
                for (std::size_t k = 0; k < rest.size(); ++k)
                    results[rest[k]] = std::move(more[k]);
            }
            const std::string damaged = damagedText(results, everyPiece);
            if (!damaged.empty())
                throw std::runtime_error(damaged);
            if (whole && whole->error)
                std::rethrow_exception(whole->error);
            if (whole && (whole->skipped || whole->digests.front() != set.wholeDigest))
                throw std::runtime_error(wrongWholeText(set.checksumPath));
        }
        stopIfCancelled();
        // On the disk before it takes its name, and its name after.
        enterPhase(Phase::WritingToDisk);
        target->stream().Sync();
        target->Commit();
        target.reset();
        m_fs.SyncFolder(folderOf(m_fs, finalPath));
        return static_cast<std::int16_t>(set.count);
    } catch (...) {
        std::string description = describe(std::current_exception());
        if (overwritten)
            description += "\nThe existing file " + destination + " was partly overwritten.";
        hasher.reset();
        piece.reset();
        target.reset();
        m_cancelled = isCancel(std::current_exception());
        if (m_cancelled)
            return 0;
        m_messageBox.show({description, m_title, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok});
        return 0;
    }
}

} // namespace carvel
