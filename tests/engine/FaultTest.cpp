#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "UnfinishedSplit.h"
#include "mdlMain.h"

#include <cstring>
#include <gtest/gtest.h>
#ifndef _WIN32
#include <sys/mount.h>
#endif

namespace carvel {
namespace {

using test::everyByte;
using test::exists;
using test::kSep;
using test::namesIn;
using test::readFile;
using test::TempDir;
using test::writeFile;

class FaultTest : public ::testing::Test {
protected:
    std::string onlyMessage() const {
        EXPECT_EQ(messages.shown().size(), 1u);
        return messages.shown().empty() ? std::string() : messages.shown()[0].text;
    }
    // A source of five 100-byte pieces; returns the split's result.
    int splitFive() {
        writeFile(dir / "src", everyByte(500));
        return engine.SplitFile(dir / "src", 100);
    }
    // Pieces j.1 and j.2 and an existing destination that must survive.
    int joinTwo() {
        writeFile(dir / "j.1", everyByte(300));
        writeFile(dir / "j.2", everyByte(200));
        writeFile(dir / "out", "precious");
        return engine.JoinPieces(dir / "out", dir / "j.?", 1);
    }
    void expectJoinChangedNothing() {
        EXPECT_EQ(readFile(dir / "out"), "precious");
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"j.1", "j.2", "out"}));
    }

    TempDir dir;
    NativeFileSystem real;
    FaultyFileSystem faulty{real};
    ScriptedMessageBox messages;
    mdlMain engine{faulty, messages, "Carvel"};
    std::string folder = dir / "Split Files of src";
};

TEST_F(FaultTest, SplitStopsAtAFailedCreateAndWritesNoScript) {
    faulty.failCreate(4); // the mark, two pieces
    EXPECT_EQ(splitFive(), 0);
    EXPECT_EQ(onlyMessage(), "Cannot create file " + folder + kSep + "src.3: Permission denied");
    EXPECT_EQ(namesIn(folder), (std::set<std::string>{"src.1", "src.2", "src.unfinished"}));
}

TEST_F(FaultTest, SplitDiskFullInTheMiddleOfAPiece) {
    faulty.diskFullAfter(static_cast<FileLength>(UnfinishedSplit::markText("src").size()) + 250);
    EXPECT_EQ(splitFive(), 0);
    EXPECT_EQ(onlyMessage(),
              "Cannot write file " + folder + kSep + "src.3: No space left on device");
    EXPECT_EQ(namesIn(folder),
              (std::set<std::string>{"src.1", "src.2", "src.3", "src.unfinished"}));
    EXPECT_EQ(readFile(folder + kSep + "src.3"), everyByte(500).substr(200, 50));
}

TEST_F(FaultTest, SplitFailuresOfReadCloseAndScriptAreNoSuccess) {
    // The checksums' threads read and close too, so counting reads and closes needs them off.
    engine.setChecksums(false);
    faulty.failRead(1);
    EXPECT_EQ(splitFive(), 0);
    EXPECT_EQ(onlyMessage(), "Cannot read file " + dir.path() + kSep + "src: Input/output error");

    messages.clear();
    faulty.failClose(3); // the failed run closed its mark; the mark, then the first piece
    EXPECT_EQ(splitFive(), 0);
    EXPECT_EQ(onlyMessage(), "Cannot close file " + folder + kSep + "src.1: Input/output error");

    messages.clear();
    // Before: two marks and a piece; now the mark, five pieces, then JoinFiles.sh.
    faulty.failWrite(3 + 1 + 5 + 1);
    EXPECT_EQ(splitFive(), 0);
    EXPECT_EQ(onlyMessage(),
              "Cannot write file " + folder + kSep + "JoinFiles.sh: Input/output error");
    // All pieces and the mark stay; the half-written script does not.
    const std::set<std::string> marked{"src.1", "src.2", "src.3",
                                       "src.4", "src.5", "src.unfinished"};
    EXPECT_EQ(namesIn(folder), marked);

    messages.clear();
    // Before: a mark; a mark and a piece; a mark, five pieces and the source. Then all again.
    faulty.failClose(1 + 2 + 7 + 7 + 1);
    EXPECT_EQ(splitFive(), 0);
    EXPECT_EQ(onlyMessage(),
              "Cannot close file " + folder + kSep + "JoinFiles.sh: Input/output error");
    EXPECT_EQ(namesIn(folder), marked);
}

TEST_F(FaultTest, SplitFailuresOfTheChecksumFileLeaveNeitherItNorTheScript) {
    const std::set<std::string> pieces{"src.1", "src.2", "src.3",
                                       "src.4", "src.5", "src.unfinished"};
    faulty.failCreate(7); // the mark, five pieces, then the checksum file
    EXPECT_EQ(splitFive(), 0);
    EXPECT_EQ(onlyMessage(),
              "Cannot create file " + folder + kSep + "src.sha256.part: Permission denied");
    EXPECT_EQ(namesIn(folder), pieces);

    messages.clear();
    faulty.failWrite(6 + 6 + 1); // the mark and five pieces in each run, then the checksum file
    EXPECT_EQ(splitFive(), 0);
    EXPECT_EQ(onlyMessage(),
              "Cannot write file " + folder + kSep + "src.sha256.part: Input/output error");
    EXPECT_EQ(namesIn(folder), pieces);
}

TEST_F(FaultTest, JoinFailuresLeaveTheDestinationAndNoTemporaryFile) {
    faulty.failRead(2);
    EXPECT_EQ(joinTwo(), 0);
    EXPECT_EQ(onlyMessage(), "Cannot read file " + dir.path() + kSep + "j.2: Input/output error");
    expectJoinChangedNothing();
}

TEST_F(FaultTest, JoinDiskFullInTheMiddleOfAPiece) {
    faulty.diskFullAfter(400);
    EXPECT_EQ(joinTwo(), 0);
    EXPECT_NE(onlyMessage().find(": No space left on device"), std::string::npos);
    expectJoinChangedNothing();
}

TEST_F(FaultTest, JoinFailedCloseOrCreateOfTheNewFile) {
    faulty.failClose(3); // two pieces, then the new file
    EXPECT_EQ(joinTwo(), 0);
    EXPECT_NE(onlyMessage().find("Cannot close file " + dir.path() + kSep + "out: "),
              std::string::npos);
    expectJoinChangedNothing();

    messages.clear();
    faulty.failCreate(2); // the first run's new file was the first create
    EXPECT_EQ(joinTwo(), 0);
    EXPECT_NE(onlyMessage().find("Cannot create file " + dir.path() + kSep + "out"),
              std::string::npos);
    expectJoinChangedNothing();
}

// A real file system that fills up: a small tmpfs, where this machine lets us mount one.
class TmpfsTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifdef _WIN32
        GTEST_SKIP() << "a small tmpfs needs Linux";
#else
        mountPoint = dir / "small";
        std::filesystem::create_directory(mountPoint);
        if (::mount("tmpfs", mountPoint.c_str(), "tmpfs", 0, "size=1m") != 0)
            GTEST_SKIP() << "cannot mount a tmpfs here (" << std::strerror(errno)
                         << "); needs root";
        mounted = true;
#endif
    }
    void TearDown() override {
#ifndef _WIN32
        if (mounted)
            ::umount2(mountPoint.c_str(), MNT_DETACH);
#endif
    }

    TempDir dir;
    std::string mountPoint;
    bool mounted = false;
    NativeFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
};

TEST_F(TmpfsTest, SplitThatFillsTheDiskFails) {
    const std::string source = mountPoint + "/big";
    writeFile(source, everyByte(700 * 1024));
    EXPECT_EQ(engine.SplitFile(source, 100 * 1024), 0);
    ASSERT_EQ(messages.shown().size(), 1u);
    const std::string& text = messages.shown()[0].text;
    EXPECT_EQ(text.rfind("Cannot write file " + mountPoint + "/Split Files of big/big.", 0), 0u)
        << text;
    EXPECT_NE(text.find(": No space left on device"), std::string::npos);
    EXPECT_FALSE(exists(mountPoint + "/Split Files of big/JoinFiles.bat"));
}

TEST_F(TmpfsTest, JoinThatFillsTheDiskKeepsTheOldDestination) {
    writeFile(dir / "piece.1", everyByte(700 * 1024));
    writeFile(dir / "piece.2", everyByte(700 * 1024));
    writeFile(mountPoint + "/out", "precious");
    for (bool kernel : {true, false}) {
        test::useKernelCopy(fs, kernel);
        messages.clear();
        EXPECT_EQ(engine.JoinPieces(mountPoint + "/out", dir / "piece.?", 1), 0);
        ASSERT_EQ(messages.shown().size(), 1u);
        // The destination is named, not the hidden file it was being built in.
        EXPECT_EQ(messages.shown()[0].text,
                  "Cannot write file " + mountPoint + "/out: No space left on device");
        EXPECT_EQ(readFile(mountPoint + "/out"), "precious");
        EXPECT_EQ(namesIn(mountPoint), std::set<std::string>{"out"});
    }
}

} // namespace
} // namespace carvel
