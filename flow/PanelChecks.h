#pragma once

#include "FileSystem.h"
#include "IMessageBox.h"

#include <functional>
#include <string>

namespace carvel {

// The checks that the split and join panels run before they start, with their messages, in
// their order. They live here so that the windows and carvel-cli run the very same checks.

// The box that must be corrected after a failed check.
enum class InputField { None, SplitSource, SplitSize, JoinSource, JoinDestination };

struct SplitCheck {
    bool ok = false;
    InputField focus = InputField::None;
    double pieceSizeBytes = 0; // size text times the unit
    std::string splitFolder;   // the piece folder of the trimmed source
};

// Reads a size text as a number in the user's locale; throws std::runtime_error with the
// conversion error's description when the text is not a number.
using NumberReader = std::function<double(const std::string& text)>;

// sizeMode 0 is kilobytes (1,024 bytes), 1 megabytes (1,048,576 bytes). An existing piece folder
// is deleted only when the user answers Yes to the "Overwrite Folder" question. Without
// deleteFolder the Yes leaves the deletion to the split, which removes an existing piece folder
// first: a window then runs it off its own thread, as part of the work. Without trimSource the
// source is taken exactly as given, blanks and all, as a command line names it.
SplitCheck CheckSplitInput(const std::string& sourceText, const std::string& sizeText, int sizeMode,
                           FileSystem& fs, IMessageBox& messageBox, const std::string& programTitle,
                           const NumberReader& readNumber, void* owner = nullptr,
                           bool deleteFolder = true, bool trimSource = true);

struct JoinCheck {
    bool ok = false;
    InputField focus = InputField::None;
};

JoinCheck CheckJoinInput(const std::string& sourceText, const std::string& destinationText,
                         FileSystem& fs, IMessageBox& messageBox, void* owner = nullptr);

// What the panels report after their Start: the success texts, the failure texts, and the
// texts of work the user stopped.
std::string splitDoneText(long long pieceCount, const std::string& splitFolder);
std::string joinDoneText(long long pieceCount, const std::string& destination);
// What names a run for the user: "The split of SOURCE", "The join into DESTINATION".
std::string splitWorkName(const std::string& source);
std::string joinWorkName(const std::string& destination);
std::string splitCancelledText(const std::string& source);
// destinationExisted: whether the destination was there when the join started.
std::string joinCancelledText(const std::string& destination, bool destinationExisted);
// A chosen, dropped or given file that names no piece, captioned kInvalidFileCaption.
std::string notAPieceText(const std::string& path);
inline constexpr const char* kInvalidFileCaption = "Invalid file selected";
// A chosen destination named like a one-piece set, and Seamer's refusal of any chosen file.
inline constexpr const char* kInvalidFileText = "Invalid file selected.";
// What a handler shows for a failure that carries no description.
inline constexpr const char* kUnexpectedErrorText = "Unexpected error.";
inline constexpr const char* kSplitFailedText = "File can not be splited.";
inline constexpr const char* kSplitFailedCaption = "Split Failed";
inline constexpr const char* kJoinFailedText = "Join file failed!";

// Leading and trailing blanks removed, as the panels trim their boxes.
std::string trimBlanks(const std::string& text);

} // namespace carvel
