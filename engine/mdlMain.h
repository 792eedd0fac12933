#pragma once

#include "FileSystem.h"
#include "IMessageBox.h"

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

namespace carvel {

// What the progress shows while a run waits for what it wrote to reach the disk.
inline constexpr const char* kWritingToDiskText = "Writing to disk";

// The split and join routines. They keep no state between calls; the services they use and the
// program's title (the caption of their message boxes) are given once.
class mdlMain {
public:
    // Called now and then during long work with the bytes done and the bytes in all.
    using Progress = std::function<void(FileLength done, FileLength total)>;
    // A run copies (and checks) first; its end waits until everything it wrote is on the disk,
    // which on a slow disk is where the time goes. Told each change, from the run's thread.
    enum class Phase { Copying, WritingToDisk };
    using PhaseChange = std::function<void(Phase)>;

    mdlMain(FileSystem& fs, IMessageBox& messageBox, std::string programTitle);

    // Cuts the source into a piece set beside it and writes its checksum file and JoinFiles.bat.
    // Returns the piece count, or 0 (or below, for a negative size) when nothing was split.
    std::int16_t SplitFile(std::string sourcePath, double pieceSize);

    // Rebuilds destination from the pieces that pattern names, checking them against the set's
    // checksum file where there is one; a set that is not whole, or a damaged piece, fails.
    // Returns how many pieces were appended, or 0 when nothing was joined. Any overwrite other
    // than 0 counts as true.
    std::int16_t JoinPieces(const std::string& destination, const std::string& pattern,
                            std::int16_t overwrite);

    void setProgress(Progress progress) { m_progress = std::move(progress); }
    void setPhaseChange(PhaseChange phaseChange) { m_phaseChange = std::move(phaseChange); }
    // Whether a split writes the set's checksum file F.sha256 (it does unless told otherwise).
    void setChecksums(bool on) { m_checksums = on; }

    // The flag that asks a run to stop at its next copy step, read from whichever thread the
    // run is on. A stopped run shows no message and leaves disk as its failure path does; a
    // split also removes the piece folder it made, so no part of a set stays behind. It returns
    // 0, and wasCancelled() tells it from a failure until the next run.
    void setCancel(const std::atomic<bool>* cancel) { m_cancel = cancel; }
    bool wasCancelled() const { return m_cancelled; }

private:
    void stopIfCancelled() const;
    void enterPhase(Phase phase) const;

    FileSystem& m_fs;
    IMessageBox& m_messageBox;
    std::string m_title;
    Progress m_progress;
    PhaseChange m_phaseChange;
    bool m_checksums = true;
    const std::atomic<bool>* m_cancel = nullptr;
    bool m_cancelled = false;
};

} // namespace carvel
