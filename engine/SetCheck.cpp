#include "SetCheck.h"

#include "FileHasher.h"
#include "PieceListing.h"
#include "PieceSet.h"
#include "UnfinishedSplit.h"

#include <algorithm>
#include <exception>
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
    FileHasher hasher(std::move(tasks), 2);
    const auto results = hasher.wait([&] {
        if (progress)
            progress(hasher.hashed(), total);
    });

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
    return check;
}

} // namespace carvel
