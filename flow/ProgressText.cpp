#include "flow/ProgressText.h"

#include "flow/SizeText.h"

#include <cmath>

namespace carvel {

namespace {

std::string duration(double seconds) {
    const long long whole = std::llround(seconds);
    if (whole < 60)
        return std::to_string(whole) + " s";
    if (whole < 3600)
        return std::to_string(whole / 60) + " min " + std::to_string(whole % 60) + " s";
    return std::to_string(whole / 3600) + " h " + std::to_string(whole % 3600 / 60) + " min";
}

} // namespace

ProgressText progressText(const WorkProgress& progress, const NumberFormat& format) {
    ProgressText shown;
    if (progress.total <= 0) {
        shown.name = progress.verb;
        return shown;
    }
    const double share = static_cast<double>(progress.done) / static_cast<double>(progress.total);
    shown.name =
        progress.verb + " " + std::to_string(static_cast<long long>(std::floor(share * 100))) + "%";
    shown.steps = static_cast<int>(share * kProgressSteps);
    shown.detail = SizeText::fileSize(progress.done, format) + " of " +
                   SizeText::fileSize(progress.total, format);
    // The rate means something once the work has run for a moment.
    if (progress.seconds >= 0.5 && progress.done > 0) {
        const double rate = static_cast<double>(progress.done) / progress.seconds;
        shown.detail += ", " + SizeText::fileSize(static_cast<FileLength>(rate), format) + "/s, " +
                        duration(static_cast<double>(progress.total - progress.done) / rate) +
                        " left";
    }
    return shown;
}

} // namespace carvel
