#include "PieceSet.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <gtest/gtest.h>

namespace carvel {
namespace {

using test::everyByte;
using test::TempDir;

class WindowsFileSystemTest : public ::testing::Test {
protected:
    TempDir dir;
    WindowsFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
};

TEST_F(WindowsFileSystemTest, DeviceNamesAreRefusedWithTheirName) {
    for (const std::string name : {"CON", "nul.txt", "com1", "LPT9.log", "aux .dat", "COM\xC2\xB9"})
        EXPECT_EQ(WindowsFileSystem::deviceName(dir / name), name);
    EXPECT_EQ(WindowsFileSystem::deviceName(dir / "prn/x.bin"), "prn");
    for (const std::string name : {"CONSOLE", "com10", "con2", "nullable.txt", "COM0"})
        EXPECT_EQ(WindowsFileSystem::deviceName(dir / name), "") << name;

    test::writeFile(dir / "p.1", "a");
    test::writeFile(dir / "p.2", "b");
    EXPECT_EQ(engine.JoinPieces(dir / "NUL.bin", dir / "p.?", 1), 0);
    EXPECT_EQ(messages.shown().back().text,
              "Cannot create file " + dir / "NUL.bin" +
                  ": \"NUL.bin\" is the name of a device on Windows, not of a file");
    EXPECT_THROW(fs.CreateTextFile(dir / "con", true), FileSystemError);
    EXPECT_FALSE(fs.FileExists(dir / "CON"));
    EXPECT_EQ(test::namesIn(dir.path()), (std::set<std::string>{"p.1", "p.2"}));
}

// Names past the 260 characters of the old limit, in Greek, Chinese and emoji.
TEST_F(WindowsFileSystemTest, LongPathsAndNamesOutsideAsciiSplitAndJoin) {
    std::string folder = dir.path();
    for (int i = 0; i < 4; ++i) {
        folder += kPathSeparator + std::string(70, static_cast<char>('a' + i));
        fs.CreateFolder(folder);
    }
    const std::string source = folder + "/Δοκιμή 日本語 🎉.bin";
    ASSERT_GT(source.size(), 300u);
    test::writeFile(source, everyByte(5000));
    ASSERT_EQ(engine.SplitFile(source, 2000), 3);
    const std::string pieces = PieceSet::pieceFolder(fs, source);
    EXPECT_EQ(fs.ListFiles(pieces).size(), 6u); // three pieces, the checksums, two scripts
    EXPECT_EQ(engine.JoinPieces(folder + "/back.bin", pieces + "/Δοκιμή 日本語 🎉.bin.?", 1), 3);
    EXPECT_EQ(test::readFile(folder + "/back.bin"), everyByte(5000));
    fs.DeleteFolder(dir / std::string(70, 'a'), false);
    EXPECT_FALSE(fs.FolderExists(folder));
}

// The result is renamed by its handle: never over a file that appeared, over one the user
// agreed to replace; not committed, it is gone.
TEST_F(WindowsFileSystemTest, TheResultReplacesOnlyWhatItMay) {
    auto result = fs.CreateResultFile(dir / "out", false);
    result->stream().Write("new");
    test::writeFile(dir / "out", "theirs");
    EXPECT_THROW(result->Commit(), FileSystemError);
    result.reset();
    EXPECT_EQ(test::readFile(dir / "out"), "theirs");
    EXPECT_EQ(test::namesIn(dir.path()), std::set<std::string>{"out"});

    result = fs.CreateResultFile(dir / "out", true);
    result->stream().Write("new");
    result->Commit();
    EXPECT_EQ(test::readFile(dir / "out"), "new");

    fs.CreateResultFile(dir / "never", false)->stream().Write("x");
    EXPECT_EQ(test::namesIn(dir.path()), std::set<std::string>{"out"});
    // The split's lock lets the source be read.
    const auto lock = fs.LockFile(dir / "out");
    ASSERT_TRUE(lock);
    EXPECT_FALSE(fs.LockFile(dir / "out"));
    EXPECT_EQ(test::readFile(dir / "out"), "new");
}

} // namespace
} // namespace carvel
