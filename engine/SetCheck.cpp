#include "SetCheck.h"

#include "FileHasher.h"
#include "PieceListing.h"
#include "PieceSet.h"
#include "UnfinishedSplit.h"

#include <algorithm>
#include <exception>
#include <optional>
#include <stdexcept>

namespace carvel {

SetCheck SetCheck::run(FileSystem& fs, const std::string& pattern, const Progress& progress) {
    const PieceListing set = PieceListing::take(fs, pattern);
    if (const auto unfinished = UnfinishedSplit::refusal(fs, set.base))
        throw std::runtime_error(*unfinished);
    if (!set.foundAny())
        throw FileSystemError(missingPieceText(PieceSet::firstPiecePath(pattern)));
    SetCheck check;
    check.checksumPath = set.checksumPath;
    if (set.digests.empty())
        return check;
    check.hasChecksums = true;
    check.count = set.count;

    std::vector<long long> numbers;
    std::vector<long long> links; // pieces that are links, told as such and never read
    std::vector<FileHasher::Task> tasks;
    FileLength total = 0;
    for (long long i = 1; i <= set.count; ++i) {
        if (!set.present[static_cast<std::size_t>(i - 1)])
            continue;
        if (fs.IsLink(set.pathOf(i))) {
            links.push_back(i);
            continue;
        }
        numbers.push_back(i);
        const FileLength length = fs.FileLen(set.pathOf(i));
        tasks.push_back(FileHasher::wholeFile(fs, set.pathOf(i), length,
                                              set.digests[static_cast<std::size_t>(i - 1)]));
        total += length;
    }
    // Pieces that each match a forged line can still make another file than the set's: with
    // every piece there, their bytes in order go against the file's own line too.
    const bool checkWhole = !set.wholeDigest.empty() && links.empty() &&
                            numbers.size() == static_cast<std::size_t>(set.count);
    if (checkWhole) {
        FileHasher::Task whole;
        whole.expected = set.wholeDigest;
        for (const FileHasher::Task& piece : tasks)
            whole.parts.push_back(piece.parts.front());
        tasks.push_back(std::move(whole));
    }
    const FileLength hashedPerByte = checkWhole ? 2 : 1;
    FileHasher hasher(std::move(tasks), 2);
    auto results = hasher.wait([&] {
        if (progress)
            progress(hasher.hashed() / hashedPerByte, total);
    });
    std::optional<FileHasher::Result> whole;
    if (checkWhole) {
        whole = std::move(results.back());
        results.pop_back();
    }

    std::size_t next = 0;
    for (long long i = 1; i <= set.count; ++i) {
        if (std::binary_search(links.begin(), links.end(), i)) {
            check.problems.push_back(linkRefusalText(set.pathOf(i)));
            continue;
        }
        if (next == numbers.size() || numbers[next] != i) {
            check.problems.push_back(missingPieceText(set.nameOf(i)));
            continue;
        }
        const auto& result = results[next++];
        if (result.error) {
            // A piece that cannot be read is told by what stopped the reading; a failure of
            // the machine (no memory, no hashing) is no fault of the piece and ends the check.
            try {
                std::rethrow_exception(result.error);
            } catch (const FileSystemError& error) {
                check.problems.push_back(error.what());
            } catch (const std::bad_alloc&) {
                throw std::runtime_error("Cannot check the set: out of memory");
            }
        } else if (result.digests.front() != set.digests[static_cast<std::size_t>(i - 1)]) {
            check.problems.push_back(damagedPieceText(set.nameOf(i)));
        }
    }
    // Only a set whose pieces all match is judged as a whole; a failed read was told above.
    if (whole && check.problems.empty() && !whole->error &&
        (whole->skipped || whole->digests.front() != set.wholeDigest)) {
        check.wrongWhole = true;
        check.problems.push_back(wrongWholeText(set.checksumPath));
    }
    return check;
}

} // namespace carvel
