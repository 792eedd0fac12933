#include "SetCheck.h"

#include "FileHasher.h"
#include "PieceListing.h"
#include "UnfinishedSplit.h"

#include <algorithm>
#include <exception>
#include <stdexcept>

namespace carvel {

SetCheck SetCheck::run(FileSystem& fs, const std::string& pattern, const Progress& progress) {
    const PieceListing set = PieceListing::take(fs, pattern);
    if (const auto unfinished = UnfinishedSplit::refusal(fs, set.base))
        throw std::runtime_error(*unfinished);
    SetCheck check;
    check.checksumPath = set.checksumPath;
    if (set.digests.empty())
        return check;
    check.hasChecksums = true;
    check.count = set.count;

    std::vector<long long> numbers;
    std::vector<FileHasher::Task> tasks;
    FileLength total = 0;
    for (long long i = 1; i <= set.count; ++i) {
        if (!std::binary_search(set.found.begin(), set.found.end(), i))
            continue;
        numbers.push_back(i);
        tasks.push_back({set.pathOf(i), {}, set.digests[static_cast<std::size_t>(i - 1)]});
        total += fs.FileLen(set.pathOf(i));
    }
    FileHasher hasher(fs, std::move(tasks), 2);
    const auto results = hasher.wait([&] {
        if (progress)
            progress(hasher.hashed(), total);
    });

    std::size_t next = 0;
    for (long long i = 1; i <= set.count; ++i) {
        if (next == numbers.size() || numbers[next] != i) {
            check.problems.push_back(missingPieceText(set.nameOf(i)));
            continue;
        }
        const auto& result = results[next++];
        if (result.error) {
            // A piece that cannot be read is told by what stopped the reading.
            try {
                std::rethrow_exception(result.error);
            } catch (const std::exception& error) {
                check.problems.push_back(error.what());
            } catch (...) {
                check.problems.push_back(damagedPieceText(set.nameOf(i)));
            }
        } else if (result.digests.front() != set.digests[static_cast<std::size_t>(i - 1)]) {
            check.problems.push_back(damagedPieceText(set.nameOf(i)));
        }
    }
    return check;
}

} // namespace carvel
