#include "flow/PanelChecks.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace carvel {
namespace {

using test::exists;
using test::TempDir;
using test::writeFile;

// A box as the checks show it, for comparing whole sequences.
std::string box(const MessageRequest& r) {
    static const char* buttons[] = {"Ok", "YesNoCancel", "RetryCancel"};
    static const char* icons[] = {"", " critical", " information"};
    static const char* answers[] = {"Ok", "Yes", "No", "Cancel", "Retry"};
    return r.caption + "|" + r.text + "|" + buttons[static_cast<int>(r.buttons)] +
           icons[static_cast<int>(r.icon)] + "|default " +
           answers[static_cast<int>(r.defaultButton)];
}

double readPlain(const std::string& text) {
    char* end = nullptr;
    const double value = std::strtod(text.c_str(), &end);
    if (end == text.c_str() || *end != '\0')
        throw std::runtime_error("Type mismatch");
    return value;
}

class PanelChecksTest : public ::testing::Test {
protected:
    SplitCheck split(const std::string& sourceText, const std::string& size, int mode = 0) {
        messages.clear();
        return CheckSplitInput(sourceText, size, mode, fs, messages, "Carvel", readPlain);
    }
    JoinCheck join(const std::string& sourceText, const std::string& destination) {
        messages.clear();
        return CheckJoinInput(sourceText, destination, fs, messages);
    }
    std::vector<std::string> shown() const {
        std::vector<std::string> all;
        for (const auto& r : messages.shown())
            all.push_back(box(r));
        return all;
    }

    TempDir dir;
    NativeFileSystem fs;
    ScriptedMessageBox messages;
    std::string source = dir / "film.avi";
    std::string folder = dir / "Split Files of film.avi";
};

TEST_F(PanelChecksTest, SplitInputErrorsInTheirOrder) {
    auto check = split("   ", "");
    EXPECT_EQ(shown(),
              std::vector<std::string>{
                  "Error|You have not selected any file to split.|Ok critical|default Ok"});
    EXPECT_EQ(check.focus, InputField::SplitSource);

    check = split(source, "");
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Error|Source file does not exist!!!|Ok critical|default Ok"});
    EXPECT_EQ(check.focus, InputField::SplitSource);

    writeFile(source, std::string(2000, 'v'));
    check = split(source, "   ");
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Error|Destination file size is missing.|Ok critical|default Ok"});
    EXPECT_EQ(check.focus, InputField::SplitSize);

    for (const char* bad : {"abc", "1e400"}) {
        check = split(source, bad);
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.focus, InputField::None);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].caption, "System Error");
        EXPECT_EQ(messages.shown()[0].icon, MsgIcon::Critical);
    }
    EXPECT_EQ(messages.shown()[0].text, "Overflow");

    check = split(source, "2", 1);
    EXPECT_EQ(check.pieceSizeBytes, 2097152);
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Carvel|File is already smaller than destination file size, can not be "
                           "split.|Ok|default Ok"});
    EXPECT_FALSE(check.ok);
    EXPECT_FALSE(exists(folder));
}

TEST_F(PanelChecksTest, SplitGoesOnWithTrimmedSourceAndUnitSize) {
    writeFile(source, std::string(2000, 'v'));
    auto check = split("  " + source + "  ", " 0.5 ", 0);
    EXPECT_TRUE(check.ok);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(check.pieceSizeBytes, 512);
    EXPECT_EQ(check.splitFolder, folder);
    EXPECT_EQ(split(source, "1.5", 1).pieceSizeBytes, 1572864);
    // 0 and negative sizes are the engine's to refuse.
    EXPECT_TRUE(split(source, "0").ok);
    EXPECT_TRUE(split(source, "-3").ok);
}

TEST_F(PanelChecksTest, ExistingPieceFolderIsDeletedOnlyOnYes) {
    writeFile(source, std::string(2000, 'v'));
    std::filesystem::create_directory(folder);
    writeFile(folder + "/film.avi.1", "old");
    const std::string question = "Overwrite Folder|Folder with the name of " + folder +
                                 " already exist. Do you want to delete it?|YesNoCancel|default "
                                 "Yes";
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        messages.setNextAnswer(answer);
        const auto check = split(source, "1");
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.focus, InputField::SplitSource);
        EXPECT_EQ(shown(),
                  (std::vector<std::string>{
                      question, "Split Failed|Could not split file.|Ok critical|default Ok"}));
        EXPECT_TRUE(exists(folder + "/film.avi.1"));
    }

    // A read-only file inside stops the deletion: "System Error", nothing deleted.
    ASSERT_EQ(::chmod((folder + "/film.avi.1").c_str(), 0444), 0);
    messages.setNextAnswer(MsgAnswer::Yes);
    auto check = split(source, "1");
    EXPECT_FALSE(check.ok);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[1].caption, "System Error");
    EXPECT_TRUE(exists(folder + "/film.avi.1"));

    ASSERT_EQ(::chmod((folder + "/film.avi.1").c_str(), 0644), 0);
    messages.setNextAnswer(MsgAnswer::Yes);
    check = split(source, "1");
    EXPECT_TRUE(check.ok);
    EXPECT_EQ(shown(), std::vector<std::string>{question});
    EXPECT_FALSE(exists(folder));
}

// The split uses the size in whole bytes, so a size that rounds to the file's length is refused
// here, before the question, and not by the split after the old piece folder is gone.
TEST_F(PanelChecksTest, ASizeThatRoundsToTheLengthIsRefusedBeforeThePieceFolderIsTouched) {
    writeFile(source, std::string(2000, 'v'));
    std::filesystem::create_directory(folder);
    writeFile(folder + "/film.avi.1", "old");
    const std::string refusal =
        "Carvel|File is already smaller than destination file size, can not be split.|Ok|default "
        "Ok";
    // 1,999.6 bytes and 1,999.5 bytes (ties to the even neighbour) are both 2,000 bytes.
    for (const char* kilobytes : {"1.952734375", "1.9526367187500"}) {
        messages.setNextAnswer(MsgAnswer::Yes);
        const auto check = split(source, kilobytes);
        EXPECT_FALSE(check.ok) << kilobytes;
        EXPECT_EQ(shown(), std::vector<std::string>{refusal}) << kilobytes;
        EXPECT_TRUE(exists(folder + "/film.avi.1"));
    }
    // 1,998.5 bytes is 1,998 bytes: two pieces, and the question comes.
    messages.setNextAnswer(MsgAnswer::No);
    EXPECT_FALSE(split(source, "1.95166015625").ok);
    EXPECT_EQ(shown().size(), 2u);
    EXPECT_TRUE(exists(folder + "/film.avi.1"));
}

TEST_F(PanelChecksTest, JoinInputErrorsInTheirOrder) {
    const std::string pattern = dir / "film.avi.??";
    auto check = join(" ", "");
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Error|You have not selected any file to join.|Ok critical|default Ok"});
    EXPECT_EQ(check.focus, InputField::JoinSource);

    writeFile(dir / "film.avi.02", "b"); // piece 1 is missing
    check = join(pattern, "");
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Error|Source file does not exist!!!|Ok critical|default Ok"});
    EXPECT_EQ(check.focus, InputField::JoinSource);

    writeFile(dir / "film.avi.01", "a");
    check = join(pattern, "  ");
    EXPECT_EQ(shown(), std::vector<std::string>{"Error|You have not enterd destination file "
                                                "name.|Ok critical|default Ok"});
    EXPECT_EQ(check.focus, InputField::JoinDestination);

    check = join(pattern, " " + pattern + " ");
    EXPECT_EQ(shown(), std::vector<std::string>{
                           "Error|Destination file name is incorrect.|Ok critical|default Ok"});
    EXPECT_EQ(check.focus, InputField::JoinDestination);

    check = join(pattern, dir / "film.avi");
    EXPECT_TRUE(check.ok);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(PanelChecksTest, ExistingDestinationNeedsYes) {
    writeFile(dir / "film.avi.1", "a");
    writeFile(dir / "film.avi", "keep");
    const std::string question = "Overwrite File|File with the name of " + dir / "film.avi" +
                                 " already exist. Do you want to overwrite it?|YesNoCancel|default "
                                 "Yes";
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        messages.setNextAnswer(answer);
        const auto check = join(dir / "film.avi.?", dir / "film.avi");
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.focus, InputField::JoinDestination);
        EXPECT_EQ(shown(), (std::vector<std::string>{
                               question, "Join Failed|Can not join file.|Ok critical|default Ok"}));
    }
    messages.setNextAnswer(MsgAnswer::Yes);
    EXPECT_TRUE(join(dir / "film.avi.?", dir / "film.avi").ok);
    EXPECT_EQ(shown(), std::vector<std::string>{question});
}

TEST(PanelTexts, DoneTextsAndTrimming) {
    EXPECT_EQ(splitDoneText(5, "/b/Split Files of p.zip"),
              "File is splited into 5 subfiles in folder /b/Split Files of p.zip");
    EXPECT_EQ(joinDoneText(24, "/out/p.zip"),
              "24 files have been joined with the name of /out/p.zip");
    EXPECT_EQ(trimBlanks("  a b \t "), "a b \t");
    EXPECT_EQ(trimBlanks("   "), "");
}

} // namespace
} // namespace carvel
