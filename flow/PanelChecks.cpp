#include "flow/PanelChecks.h"

#include "PieceListing.h"
#include "PieceSet.h"
#include "SplitGuards.h"

#include <cmath>
#include <stdexcept>

namespace carvel {

namespace {

constexpr double kKilobyte = 1024.0;
constexpr double kMegabyte = 1024.0 * 1024.0;

void inputError(IMessageBox& messageBox, const std::string& text, const std::string& caption,
                void* owner) {
    messageBox.show({text, caption, MsgButtons::Ok, MsgIcon::Critical, MsgAnswer::Ok, owner});
}

// Only Yes goes on; the box offers Yes, No and Cancel with Yes as the default.
bool askYes(IMessageBox& messageBox, const std::string& text, const std::string& caption,
            void* owner) {
    return messageBox.show({text, caption, MsgButtons::YesNoCancel, MsgIcon::None, MsgAnswer::Yes,
                            owner}) == MsgAnswer::Yes;
}

void systemError(IMessageBox& messageBox, const std::string& description, void* owner) {
    inputError(messageBox, description, "System Error", owner);
}

std::string describeCurrent() {
    try {
        throw;
    } catch (const std::exception& e) {
        return e.what();
    } catch (...) {
        return "Unexpected error";
    }
}

} // namespace

std::string trimBlanks(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

SplitCheck CheckSplitInput(const std::string& sourceText, const std::string& sizeText, int sizeMode,
                           FileSystem& fs, IMessageBox& messageBox, const std::string& programTitle,
                           const NumberReader& readNumber, void* owner, bool deleteFolder,
                           bool trimSource) {
    SplitCheck check;
    try {
        const std::string source = trimSource ? trimBlanks(sourceText) : sourceText;
        if (source.empty()) {
            inputError(messageBox, "You have not selected any file to split.", "Error", owner);
            check.focus = InputField::SplitSource;
            return check;
        }
        if (!fs.FileExists(source)) {
            inputError(messageBox, "Source file does not exist!!!", "Error", owner);
            check.focus = InputField::SplitSource;
            return check;
        }
        const auto refused = [&](const std::optional<std::string>& why) {
            if (why) {
                inputError(messageBox, *why, "Error", owner);
                check.focus = InputField::SplitSource;
            }
            return why.has_value();
        };
        if (refused(SplitGuards::nameRefusal(fs, source)))
            return check;
        const std::string size = trimBlanks(sizeText);
        if (size.empty()) {
            inputError(messageBox, "Destination file size is missing.", "Error", owner);
            check.focus = InputField::SplitSize;
            return check;
        }
        check.pieceSizeBytes = readNumber(size) * (sizeMode == 1 ? kMegabyte : kKilobyte);
        if (!std::isfinite(check.pieceSizeBytes))
            throw std::overflow_error("Overflow");

        // Compared in whole bytes, as the split rounds the size (ties to the even neighbour):
        // a size that only rounds to the file's length would otherwise pass here, have the
        // piece folder deleted on Yes, and then be refused by the split with nothing written.
        const FileLength length = fs.FileLen(source);
        if (!(static_cast<double>(length) > std::nearbyint(check.pieceSizeBytes))) {
            messageBox.show({"File is already smaller than destination file size, can not be "
                             "split.",
                             programTitle, MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, owner});
            return check;
        }

        check.splitFolder = PieceSet::pieceFolder(fs, source);
        if (!fs.FolderExists(check.splitFolder)) {
            check.ok = true;
            return check;
        }
        if (refused(SplitGuards::folderRefusal(fs, source, check.splitFolder)))
            return check;
        if (askYes(messageBox,
                   "Folder with the name of " + check.splitFolder +
                       " already exist. Do you want to delete it?",
                   "Overwrite Folder", owner)) {
            // Not while another split of the source writes into the folder.
            std::unique_ptr<FileLock> lock;
            if (refused(SplitGuards::lockRefusal(fs, source, lock)))
                return check;
            if (deleteFolder)
                fs.DeleteFolder(check.splitFolder, false);
            check.ok = true;
            return check;
        }
        inputError(messageBox, "Could not split file.", "Split Failed", owner);
        check.focus = InputField::SplitSource;
        return check;
    } catch (...) {
        // The focus stays where it is.
        systemError(messageBox, describeCurrent(), owner);
        return {};
    }
}

JoinCheck CheckJoinInput(const std::string& sourceText, const std::string& destinationText,
                         FileSystem& fs, IMessageBox& messageBox, void* owner) {
    JoinCheck check;
    try {
        if (trimBlanks(sourceText).empty()) {
            inputError(messageBox, "You have not selected any file to join.", "Error", owner);
            check.focus = InputField::JoinSource;
            return check;
        }
        // Piece 1 as the pattern spells it, or the set's first piece under another numbering
        // (piece 0, or without padding); a set that cannot be joined says why here.
        const auto setFound = [&] {
            try {
                return PieceListing::take(fs, sourceText).missing != 1;
            } catch (const std::invalid_argument&) {
                return false; // no pattern at all
            }
        };
        if (!fs.FileExists(PieceSet::firstPiecePath(sourceText)) && !setFound()) {
            inputError(messageBox, "Source file does not exist!!!", "Error", owner);
            check.focus = InputField::JoinSource;
            return check;
        }
        if (trimBlanks(destinationText).empty()) {
            inputError(messageBox, "You have not enterd destination file name.", "Error", owner);
            check.focus = InputField::JoinDestination;
            return check;
        }
        if (fs.FileExists(destinationText) &&
            !askYes(messageBox,
                    "File with the name of " + destinationText +
                        " already exist. Do you want to overwrite it?",
                    "Overwrite File", owner)) {
            inputError(messageBox, "Can not join file.", "Join Failed", owner);
            check.focus = InputField::JoinDestination;
            return check;
        }
        if (trimBlanks(sourceText) == trimBlanks(destinationText)) {
            inputError(messageBox, "Destination file name is incorrect.", "Error", owner);
            check.focus = InputField::JoinDestination;
            return check;
        }
        check.ok = true;
        return check;
    } catch (...) {
        // The focus stays where it is.
        systemError(messageBox, describeCurrent(), owner);
        return {};
    }
}

std::string splitDoneText(long long pieceCount, const std::string& splitFolder) {
    return "File is splited into " + std::to_string(pieceCount) + " subfiles in folder " +
           splitFolder;
}

std::string joinDoneText(long long pieceCount, const std::string& destination) {
    return std::to_string(pieceCount) + " files have been joined with the name of " + destination;
}

std::string splitWorkName(const std::string& source) {
    return "The split of " + source;
}

std::string joinWorkName(const std::string& destination) {
    return "The join into " + destination;
}

std::string splitCancelledText(const std::string& source) {
    return splitWorkName(source) + " was cancelled. No pieces were kept.";
}

std::string joinCancelledText(const std::string& destination, bool destinationExisted) {
    return joinWorkName(destination) + " was cancelled. " +
           (destinationExisted ? destination + " was left as it was."
                               : std::string("No file was written."));
}

std::string notAPieceText(const std::string& path) {
    return "File: " + path + " is not a valid file to Join";
}

} // namespace carvel
