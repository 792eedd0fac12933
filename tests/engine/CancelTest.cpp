#include "PieceSet.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <atomic>
#include <gtest/gtest.h>

namespace carvel {
namespace {

using test::everyByte;
using test::namesIn;
using test::readFile;
using test::TempDir;
using test::writeFile;

// The flag is raised from the progress of the copy itself, so the stop lands mid-set.
TEST(Cancel, AStoppedRunShowsNothingAndLeavesNoPartOfItsWork) {
    TempDir dir;
    NativeFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
    std::atomic<bool> cancel{false};
    engine.setCancel(&cancel);
    FileLength stopAt = 0;
    engine.setProgress([&](FileLength done, FileLength) { cancel = done >= stopAt; });

    const std::string source = dir / "data.bin";
    const std::string bytes = everyByte(10000);
    writeFile(source, bytes);
    const std::string folder = dir / "Split Files of data.bin";
    stopAt = 2500; // inside the third piece
    EXPECT_EQ(engine.SplitFile(source, 1000), 0);
    EXPECT_TRUE(engine.wasCancelled());
    EXPECT_EQ(namesIn(dir.path()), std::set<std::string>{"data.bin"}); // no folder, no pieces

    // A whole set, then a join stopped halfway: the destination and its folder stay as they were.
    cancel = false;
    stopAt = bytes.size() + 1;
    ASSERT_EQ(engine.SplitFile(source, 1000), 10);
    EXPECT_FALSE(engine.wasCancelled());
    const std::string destination = dir / "old.bin";
    writeFile(destination, "old");
    stopAt = 4500;
    EXPECT_EQ(engine.JoinPieces(destination, folder + "/data.bin.??", 1), 0);
    EXPECT_TRUE(engine.wasCancelled());
    EXPECT_EQ(readFile(destination), "old");
    EXPECT_EQ(namesIn(dir.path()),
              (std::set<std::string>{"data.bin", "old.bin", "Split Files of data.bin"}));
    EXPECT_TRUE(messages.shown().empty());

    // A failure after a stop is a failure again, with its message.
    cancel = false;
    stopAt = bytes.size() + 1;
    EXPECT_EQ(engine.SplitFile(dir / "missing", 1000), 0);
    EXPECT_FALSE(engine.wasCancelled());
    EXPECT_EQ(messages.shown().size(), 1u);
}

} // namespace
} // namespace carvel
