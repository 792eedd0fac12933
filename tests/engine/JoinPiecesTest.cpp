#include "PosixFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <gtest/gtest.h>
#include <unistd.h>

namespace carvel {
namespace {

using test::everyByte;
using test::exists;
using test::namesIn;
using test::readFile;
using test::TempDir;
using test::writeFile;

class JoinPiecesTest : public ::testing::Test {
protected:
    // Pieces base+number for each number text given, each holding its own text.
    void pieces(const std::vector<std::string>& numbers) {
        for (const auto& number : numbers)
            writeFile(dir / ("p." + number), "<" + number + ">");
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const auto& box : messages.shown()) {
            EXPECT_EQ(box.caption, "Seamer");
            EXPECT_EQ(box.icon, MsgIcon::None);
            all.push_back(box.text);
        }
        return all;
    }
    // Nothing but the pieces and what the test put there: no temporary file left behind.
    void expectOnlyFiles(const std::set<std::string>& names) {
        EXPECT_EQ(namesIn(dir.path()), names);
    }

    TempDir dir;
    PosixFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Seamer"};
};

TEST_F(JoinPiecesTest, JoinsInNumberOrderUntilAGapOrTheWidthEnds) {
    pieces({"1", "2", "4"});
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 2);
    EXPECT_EQ(readFile(dir / "out"), "<1><2>");

    pieces({"3", "5", "6", "7", "8", "9", "10"});
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 9);
    EXPECT_EQ(readFile(dir / "out"), "<1><2><3><4><5><6><7><8><9>");

    // One-digit files are no pieces of a two-digit set.
    EXPECT_EQ(engine.JoinPieces(dir / "out2", dir / "p.??", 1), 0);
    EXPECT_FALSE(exists(dir / "out2"));
    pieces({"01", "02"});
    EXPECT_EQ(engine.JoinPieces(dir / "out2", dir / "p.??", 1), 2);
    EXPECT_EQ(readFile(dir / "out2"), "<01><02>");
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(JoinPiecesTest, EveryByteValueComesBack) {
    const std::string bytes = everyByte(70000);
    writeFile(dir / "b.1", bytes.substr(0, 65536));
    writeFile(dir / "b.2", bytes.substr(65536));
    writeFile(dir / "b.3", ""); // an empty piece adds nothing
    EXPECT_EQ(engine.JoinPieces(dir / "whole", dir / "b.?", 1), 3);
    EXPECT_EQ(readFile(dir / "whole"), bytes);
}

TEST_F(JoinPiecesTest, ExistingDestinationIsReplacedOnlyWhenAllowed) {
    pieces({"1", "2"});
    writeFile(dir / "out", "old content that is longer");
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 0), 0);
    EXPECT_EQ(readFile(dir / "out"), "old content that is longer");
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", -7), 2);
    EXPECT_EQ(readFile(dir / "out"), "<1><2>");
    // Without piece 1 nothing happens, even with overwrite.
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "q.?", 1), 0);
    EXPECT_EQ(readFile(dir / "out"), "<1><2>");
    EXPECT_TRUE(messages.shown().empty());
    expectOnlyFiles({"p.1", "p.2", "out"});
}

TEST_F(JoinPiecesTest, ErrorsAreShownAndLeaveTheDestinationAsItWas) {
    pieces({"1", "2"});
    writeFile(dir / "out", "precious");
    EXPECT_EQ(engine.JoinPieces(dir / "out", "", 1), 0);
    EXPECT_EQ(engine.JoinPieces(dir / "out", "???", 1), 0);
    EXPECT_EQ(engine.JoinPieces(dir / "no/such/folder/out", dir / "p.?", 1), 0);
    const auto shown = texts();
    ASSERT_EQ(shown.size(), 3u);
    EXPECT_NE(shown[0].find("Invalid piece pattern"), std::string::npos);
    EXPECT_NE(shown[1].find("\"???\""), std::string::npos);
    EXPECT_EQ(shown[2], "Cannot create a temporary file in folder " + dir.path() +
                            "/no/such/folder: No such file or directory");
    EXPECT_EQ(readFile(dir / "out"), "precious");
    expectOnlyFiles({"p.1", "p.2", "out"});
}

TEST_F(JoinPiecesTest, DestinationThatIsAPieceIsRefused) {
    pieces({"1", "2", "3"});
    const std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    // The same piece spelt differently, and through a second link.
    ASSERT_EQ(::link((dir / "p.3").c_str(), (dir / "linked").c_str()), 0);
    for (const std::string& destination :
         {dir / "p.1", std::string("./p.2"), dir.path() + "/./p.3", dir / "linked"}) {
        messages.clear();
        EXPECT_EQ(engine.JoinPieces(destination, dir / "p.?", 1), 0) << destination;
        ASSERT_EQ(texts().size(), 1u);
        EXPECT_NE(texts()[0].find("Cannot write file " + destination + ": it is the piece"),
                  std::string::npos);
    }
    ASSERT_EQ(::chdir(before.c_str()), 0);
    EXPECT_EQ(readFile(dir / "p.1") + readFile(dir / "p.2") + readFile(dir / "p.3"), "<1><2><3>");
    expectOnlyFiles({"p.1", "p.2", "p.3", "linked"});
}

TEST_F(JoinPiecesTest, PieceNumber32767IsAnOverflowAndChangesNothing) {
    for (int i = 1; i <= 32767; ++i)
        writeFile(dir / ("n." + std::string(5 - std::to_string(i).size(), '0') + std::to_string(i)),
                  "");
    writeFile(dir / "out", "precious");
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "n.?????", 1), 0);
    EXPECT_EQ(texts(), std::vector<std::string>{"Overflow"});
    EXPECT_EQ(readFile(dir / "out"), "precious");
    ::unlink((dir / "n.32767").c_str());
    messages.clear();
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "n.?????", 1), 32766);
    EXPECT_EQ(readFile(dir / "out"), "");
}

} // namespace
} // namespace carvel
