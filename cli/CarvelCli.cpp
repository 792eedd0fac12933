#include "CarvelCli.h"

#include "CliMessageBox.h"
#include "PieceSet.h"
#include "SetCheck.h"
#include "SizeText.h"
#include "SplitGuards.h"
#include "flow/PanelChecks.h"
#include "mdlMain.h"

#include <chrono>
#include <cstdio>
#include <optional>
#include <stdexcept>

namespace carvel {

namespace {

// The caption of the engine's boxes: carvel-cli speaks for Carvel.
constexpr const char* kTitle = "Carvel";

// Draws "done of total, rate" over itself on a terminal, at most a few times a second, and
// only once the work has lasted long enough to be worth watching.
class ProgressLine {
public:
    explicit ProgressLine(std::ostream& err) : m_err(err), m_start(Clock::now()) {}

    void update(FileLength done, FileLength total) {
        const auto now = Clock::now();
        if (m_saying || now - m_start < std::chrono::milliseconds(500) ||
            (m_drawn && now - m_last < std::chrono::milliseconds(200) && done < total))
            return;
        m_last = now;
        const double seconds = std::chrono::duration<double>(now - m_start).count();
        char line[160];
        std::snprintf(line, sizeof line, "\r%s of %s, %s/s\x1b[K",
                      bytes(static_cast<double>(done)).c_str(),
                      bytes(static_cast<double>(total)).c_str(),
                      bytes(static_cast<double>(done) / seconds).c_str());
        m_err << line << std::flush;
        m_drawn = true;
    }
    // A line of its own in place of the amounts, drawn at once: the wait that follows has no
    // steps to draw it at.
    void say(const char* text) {
        m_err << '\r' << text << "\x1b[K" << std::flush;
        m_drawn = true;
        m_saying = true;
    }
    void clear() {
        if (m_drawn)
            m_err << "\r\x1b[K" << std::flush;
        m_drawn = false;
        m_saying = false;
    }

private:
    using Clock = std::chrono::steady_clock;
    static std::string bytes(double count) {
        static const char* units[] = {"B", "KiB", "MiB", "GiB", "TiB"};
        int unit = 0;
        while (count >= 1024 && unit < 4) {
            count /= 1024;
            ++unit;
        }
        char text[32];
        std::snprintf(text, sizeof text, unit == 0 ? "%.0f %s" : "%.1f %s", count, units[unit]);
        return text;
    }

    std::ostream& m_err;
    Clock::time_point m_start, m_last;
    bool m_drawn = false;
    bool m_saying = false;
};

// How a run reports its progress, and learns that the user wants it to stop.
struct Watch {
    ProgressLine* progress;
    const std::atomic<bool>* interrupted;

    // An interruption ends the work through the engine's failure path, like any other error,
    // so an unfinished join takes its temporary file away with it.
    void attach(mdlMain& engine) const {
        engine.setProgress([*this](FileLength done, FileLength total) {
            if (interrupted != nullptr && interrupted->load())
                throw std::runtime_error("Interrupted");
            if (progress)
                progress->update(done, total);
        });
        engine.setPhaseChange([progress = progress](mdlMain::Phase phase) {
            if (progress && phase == mdlMain::Phase::WritingToDisk)
                progress->say(kWritingToDiskText);
        });
    }
    void clear() const {
        if (progress)
            progress->clear();
    }
};

int split(const std::string& source, const std::string& size, bool checksums, FileSystem& fs,
          CliMessageBox& box, std::ostream& out, std::ostream& err, const Watch& watch) {
    // The size arrives as kilobytes, so that the check multiplies it back into exact bytes.
    const NumberReader readKilobytes = [](const std::string& text) {
        return sizeTextBytes(text) / 1024.0;
    };
    // Names are taken exactly as given: "rep.bin " is another file than "rep.bin". The old piece
    // folder is left to the split, which deletes it only once the work can start.
    const SplitCheck check =
        CheckSplitInput(source, size, 0, fs, box, kTitle, readKilobytes, nullptr, false, false);
    if (!check.ok)
        return kExitFailed;
    mdlMain engine(fs, box, kTitle);
    engine.setChecksums(checksums);
    watch.attach(engine);
    const int count = engine.SplitFile(source, check.pieceSizeBytes);
    watch.clear();
    if (count < 1) {
        box.show({kSplitFailedText, kSplitFailedCaption, MsgButtons::Ok, MsgIcon::Critical});
        return kExitFailed;
    }
    out << splitDoneText(count, check.splitFolder) << '\n';
    if (const auto warning = SplitGuards::windowsWarning(fs, source, count, checksums))
        err << *warning << '\n';
    return kExitDone;
}

// The set's pattern from a piece or a pattern; nothing, after saying so, for any other file.
std::optional<std::string> patternOf(const std::string& piece, CliMessageBox& box) {
    if (!piece.empty() && piece.back() == '?')
        return piece;
    auto pattern = PieceSet::patternFromPiece(piece);
    if (!pattern)
        box.show({notAPieceText(piece), kInvalidFileCaption, MsgButtons::Ok, MsgIcon::Critical});
    return pattern;
}

int join(const std::string& piece, const std::string& destination, FileSystem& fs,
         CliMessageBox& box, std::ostream& out, const Watch& watch) {
    const auto fromPiece = patternOf(piece, box);
    if (!fromPiece)
        return kExitFailed;
    const std::string& pattern = *fromPiece;
    if (!CheckJoinInput(pattern, destination, fs, box).ok)
        return kExitFailed;
    mdlMain engine(fs, box, kTitle);
    watch.attach(engine);
    const int count = engine.JoinPieces(destination, pattern, 1);
    watch.clear();
    if (count < 1) {
        box.show({kJoinFailedText, kTitle, MsgButtons::Ok, MsgIcon::None});
        return kExitFailed;
    }
    out << joinDoneText(count, destination) << '\n';
    return kExitDone;
}

int verify(const std::string& piece, FileSystem& fs, CliMessageBox& box, std::ostream& out,
           std::ostream& err, const Watch& watch) {
    const auto pattern = patternOf(piece, box);
    if (!pattern)
        return kExitFailed;
    SetCheck check;
    try {
        check = SetCheck::run(fs, *pattern, [&](FileLength done, FileLength total) {
            if (watch.interrupted != nullptr && watch.interrupted->load())
                throw std::runtime_error("Interrupted");
            if (watch.progress)
                watch.progress->update(done, total);
        });
    } catch (const std::exception& error) {
        watch.clear();
        err << error.what() << '\n';
        return kExitFailed;
    }
    watch.clear();
    if (!check.hasChecksums) {
        out << "No checksum file " << check.checksumPath << " to check the set against.\n";
        return kExitFailed;
    }
    for (const std::string& problem : check.problems)
        err << problem << '\n';
    if (check.wrongWhole) {
        out << "The set is not whole.\n";
        return kExitFailed;
    }
    if (!check.problems.empty()) {
        out << "The set is not whole: " << check.problems.size() << " of " << check.count
            << " pieces are missing or damaged.\n";
        return kExitFailed;
    }
    out << "All " << check.count << " pieces of the set match their checksums in "
        << check.checksumPath << ".\n";
    return kExitDone;
}

} // namespace

std::string carvelCliUsage() {
    return "Usage: carvel-cli split SOURCE SIZE [--force] [--no-checksums]\n"
           "       carvel-cli join PIECE DESTINATION [--force]\n"
           "       carvel-cli verify PIECE\n"
           "       carvel-cli --help | --version\n"
           "\n"
           "split  Cuts SOURCE into numbered pieces of SIZE bytes in the folder\n"
           "       \"Split Files of NAME\" beside it, with JoinFiles.bat (Windows) and\n"
           "       JoinFiles.sh (\"sh JoinFiles.sh\" in that folder) that rebuild it, and\n"
           "       NAME.sha256, the checksums of the pieces and of NAME, which\n"
           "       \"sha256sum -c\" checks as well.\n"
           "       SIZE is a number, a fraction allowed, with an optional unit: B for bytes\n"
           "       (the default), K or KB for 1,024, M or MB for 1,048,576, G or GB for\n"
           "       1,073,741,824, in any letter case: 700K, 1.5M, 4g.\n"
           "join   Rebuilds DESTINATION from the set that PIECE belongs to. PIECE is any piece\n"
           "       of the set (photos.zip.3) or its pattern (\"photos.zip.?\"). A set with a\n"
           "       piece missing is refused; with NAME.sha256 beside the pieces, every\n"
           "       piece is checked and a damaged one fails the join.\n"
           "verify Checks the pieces of PIECE's set against NAME.sha256 without joining.\n"
           "--force  Deletes an existing piece folder, or replaces an existing destination,\n"
           "       without which carvel-cli refuses to.\n"
           "--no-checksums  Writes no NAME.sha256.\n"
           "--     Ends the options: every argument after it is a name.\n"
           "--help, -h  Prints this help.\n"
           "--version  Prints the version and the licence.\n"
           "\n"
           "Results go to standard output, messages to standard error.\n"
           "Exit status: 0 done (verify: the set is whole and matches), 1 failed,\n"
           "2 wrong usage.\n";
}

std::string carvelCliVersion() {
    return "carvel-cli (Carvel) " CARVEL_VERSION "\n"
           "Copyright (C) " CARVEL_COPYRIGHT "\n"
           "License " CARVEL_LICENSE " <https://spdx.org/licenses/" CARVEL_LICENSE ".html>.\n"
           "This is free software: you are free to change and redistribute it.\n"
           "There is NO WARRANTY, to the extent permitted by law.\n";
}

namespace {

CliArguments mistake(CliArguments parsed, std::string what) {
    parsed.action = CliArguments::Action::Mistake;
    parsed.mistake = std::move(what);
    return parsed;
}

} // namespace

CliArguments parseCarvelCliArguments(const std::vector<std::string>& args) {
    CliArguments parsed;
    bool optionsEnded = false;
    for (const std::string& arg : args) {
        // After "--" every argument is a name, so that files named like the options (a file
        // "-h" or "--force") can be given without being taken for them.
        if (optionsEnded) {
            parsed.words.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (arg == "--help" || arg == "-h") {
            parsed.action = CliArguments::Action::Help;
            return parsed;
        }
        if (arg == "--version") {
            parsed.action = CliArguments::Action::Version;
            return parsed;
        }
        if (arg == "--force")
            parsed.force = true;
        else if (arg == "--no-checksums")
            parsed.checksums = false;
        else if (arg.rfind("--", 0) == 0)
            return mistake(parsed, "unrecognized option '" + arg + "'");
        else
            parsed.words.push_back(arg);
    }
    const std::vector<std::string>& words = parsed.words;
    if (words.empty())
        return mistake(parsed, "missing command: split, join or verify");
    const std::string& command = words[0];
    if (command != "split" && command != "join" && command != "verify")
        return mistake(parsed, "unknown command '" + command + "'");
    const std::size_t operands = command == "verify" ? 2 : 3;
    if (words.size() < operands)
        return mistake(parsed, command == "split"  ? "split needs SOURCE and SIZE"
                               : command == "join" ? "join needs PIECE and DESTINATION"
                                                   : "verify needs PIECE");
    if (words.size() > operands)
        return mistake(parsed, "extra operand '" + words[operands] + "'");
    // Checksums are left out of a split only: a join or check without them would check less.
    if (!parsed.checksums && command != "split")
        return mistake(parsed, "--no-checksums goes with split only");
    parsed.action = CliArguments::Action::Run;
    return parsed;
}

int runCarvelCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                 FileSystem& fs, bool showProgress, const std::atomic<bool>* interrupted) {
    const CliArguments parsed = parseCarvelCliArguments(args);
    switch (parsed.action) {
    case CliArguments::Action::Help:
        out << carvelCliUsage();
        return kExitDone;
    case CliArguments::Action::Version:
        out << carvelCliVersion();
        return kExitDone;
    case CliArguments::Action::Mistake:
        // Named in one line, with the way to the help, rather than the whole help.
        err << "carvel-cli: " << parsed.mistake
            << "\nTry 'carvel-cli --help' for more information.\n";
        return kExitUsage;
    case CliArguments::Action::Run:
        break;
    }
    const std::vector<std::string>& words = parsed.words;

    CliMessageBox box(err, parsed.force);
    ProgressLine line(err);
    ProgressLine* progress = showProgress ? &line : nullptr;
    box.setBeforeShow([progress] {
        if (progress)
            progress->clear();
    });
    const Watch watch{progress, interrupted};
    if (words[0] == "split")
        return split(words[1], words[2], parsed.checksums, fs, box, out, err, watch);
    if (words[0] == "verify")
        return verify(words[1], fs, box, out, err, watch);
    return join(words[1], words[2], fs, box, out, watch);
}

} // namespace carvel
