#include "FaultyFileSystem.h"
#include "GatedFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace carvel {
namespace {

using test::everyByte;
using test::kSep;
using test::namesIn;
using test::readFile;
using test::TempDir;
using test::writeFile;

// Runs work on a thread while the gate holds the k-th copy, does meanwhile, then lets it go.
int whileHeld(GatedFileSystem& gate, const std::function<int()>& work,
              const std::function<void()>& meanwhile) {
    int result = -1;
    std::thread run([&] { result = work(); });
    while (!gate.held())
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    meanwhile();
    gate.release();
    run.join();
    return result;
}

class ChangedBytesTest : public ::testing::Test {
protected:
    std::string only() const {
        EXPECT_EQ(messages.shown().size(), 1u);
        return messages.shown().empty() ? std::string() : messages.shown()[0].text;
    }
    TempDir dir;
    NativeFileSystem real;
    ScriptedMessageBox messages;
    const std::string bytes = everyByte(500);
    const std::string folder = dir / "Split Files of src";
};

TEST_F(ChangedBytesTest, APieceOrSourceChangedDuringTheWorkNeverPasses) {
    writeFile(dir / "src", bytes);
    writeFile(dir / "out", "precious");
    {
        // The third piece is rewritten just before it is copied: what went in is checked.
        mdlMain splitter{real, messages, "Carvel"};
        ASSERT_EQ(splitter.SplitFile(dir / "src", 100), 5);
        GatedFileSystem gate(real, 3);
        mdlMain engine{gate, messages, "Carvel"};
        std::string piece = readFile(folder + kSep + "src.3");
        piece[10] ^= 1;
        EXPECT_EQ(whileHeld(
                      gate,
                      [&] { return engine.JoinPieces(dir / "out", folder + kSep + "src.?", 1); },
                      [&] { writeFile(folder + kSep + "src.3", piece); }),
                  0);
        EXPECT_EQ(only(), "Piece src.3 is damaged (its checksum does not match).");
        EXPECT_EQ(readFile(dir / "out"), "precious");
    }
    messages.clear();
    {
        // The source written to during the split: no set is left, the message says why.
        GatedFileSystem gate(real, 2);
        mdlMain engine{gate, messages, "Carvel"};
        EXPECT_EQ(whileHeld(
                      gate, [&] { return engine.SplitFile(dir / "src", 100); },
                      [&] { writeFile(dir / "src", bytes); }),
                  0);
        EXPECT_EQ(only(), "The file " + (dir / "src") +
                              " changed while it was split; split it again once nothing writes "
                              "to it");
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"src", "out"}));
    }
}

TEST_F(ChangedBytesTest, ADestinationWrittenInPlaceIsCheckedFirstAndToldWhenPartlyOverwritten) {
    writeFile(dir / "src", bytes);
    mdlMain splitter{real, messages, "Carvel"};
    ASSERT_EQ(splitter.SplitFile(dir / "src", 100), 5);
    FaultyFileSystem faulty(real);
    faulty.resultsInPlace();
    mdlMain engine{faulty, messages, "Carvel"};
    // The first write fails: a damaged piece found before it is the message.
    std::string piece = readFile(folder + kSep + "src.5");
    writeFile(folder + kSep + "src.5", piece + "x");
    faulty.failWrite(1);
    EXPECT_EQ(engine.JoinPieces(dir / "out", folder + kSep + "src.?", 1), 0);
    EXPECT_EQ(only(), "Piece src.5 is damaged (its checksum does not match).");
    messages.clear();
    writeFile(folder + kSep + "src.5", piece);
    faulty.failWrite(3);
    EXPECT_EQ(engine.JoinPieces(dir / "out", folder + kSep + "src.?", 1), 0);
    EXPECT_NE(only().find("\nThe existing file " + (dir / "out") + " was partly overwritten."),
              std::string::npos);
    messages.clear();

    // A result its file system cannot hold in one file is refused before anything is written.
    faulty.setLargestFile(499);
    EXPECT_EQ(engine.JoinPieces(dir / "big", folder + kSep + "src.?", 1), 0);
    EXPECT_EQ(only(), "Cannot create file " + (dir / "big") +
                          ": its file system holds 499 bytes at most in one file, and the set "
                          "joins into 500");
    faulty.setLargestFile(500);
    EXPECT_EQ(engine.JoinPieces(dir / "big", folder + kSep + "src.?", 1), 5);
    EXPECT_EQ(readFile(dir / "big"), bytes);
}

} // namespace
} // namespace carvel
