#include "PieceSet.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <cmath>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace carvel {
namespace {

using test::everyByte;
using test::exists;
using test::namesIn;
using test::readFile;
using test::TempDir;
using test::writeFile;

class SplitFileTest : public ::testing::Test {
protected:
    // Splits a fresh source of the given bytes and returns the count.
    int split(const std::string& name, const std::string& bytes, double size) {
        source = dir / name;
        writeFile(source, bytes);
        folder = dir / ("Split Files of " + name);
        return engine.SplitFile(source, size);
    }
    std::string joined(const std::string& name, int count, int width) {
        std::string bytes;
        for (int i = 1; i <= count; ++i)
            bytes += readFile(PieceSet::piecePath(folder, name, i, width));
        return bytes;
    }
    std::vector<std::string> texts() const {
        std::vector<std::string> all;
        for (const auto& box : messages.shown()) {
            EXPECT_EQ(box.caption, "Carvel");
            EXPECT_EQ(box.buttons, MsgButtons::Ok);
            EXPECT_EQ(box.icon, MsgIcon::None);
            all.push_back(box.text);
        }
        return all;
    }

    TempDir dir;
    NativeFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
    std::string source, folder;
};

TEST_F(SplitFileTest, PiecesRebuildTheSourceAtTheEdges) {
    const std::string bytes = everyByte(1000);
    struct Case {
        double size;
        int count, width;
        std::size_t last;
    };
    const Case cases[] = {{999, 2, 1, 1},          {500, 2, 1, 500}, {1, 1000, 4, 1},
                          {100, 10, 2, 100},       {99, 11, 2, 10},  {101, 10, 2, 91},
                          {1331.2 / 2, 2, 1, 334}, {7, 143, 3, 6}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        messages.clear();
        ASSERT_EQ(split("data.bin", bytes, c.size), c.count);
        EXPECT_TRUE(messages.shown().empty());
        EXPECT_EQ(joined("data.bin", c.count, c.width), bytes);
        EXPECT_EQ(readFile(PieceSet::piecePath(folder, "data.bin", c.count, c.width)).size(),
                  c.last);
        // The pieces, the checksums and the scripts, nothing else, and no wider or narrower name.
        EXPECT_EQ(namesIn(folder).size(), static_cast<std::size_t>(c.count) + 3);
        EXPECT_TRUE(exists(folder + "/JoinFiles.bat"));
        EXPECT_TRUE(exists(folder + "/JoinFiles.sh"));
        EXPECT_TRUE(exists(folder + "/data.bin.sha256"));
    }
}

TEST_F(SplitFileTest, FiveDigitNumbersForTenThousandPieces) {
    if (test::underWine())
        GTEST_SKIP() << "10,001 pieces take too long under Wine";
    fs.setDiskSync(false); // names are tested here, not the disk
    const std::string bytes = everyByte(10001);
    ASSERT_EQ(split("tiny", bytes, 1), 10001);
    EXPECT_TRUE(exists(folder + "/tiny.00001"));
    EXPECT_TRUE(exists(folder + "/tiny.10001"));
    EXPECT_FALSE(exists(folder + "/tiny.0001"));
    EXPECT_EQ(joined("tiny", 10001, 5), bytes);
    const std::string script = readFile(folder + "/JoinFiles.bat");
    EXPECT_NE(script.find("+\"tiny.10001\" \"$$tiny$$\" > nul \r\n"), std::string::npos);
}

TEST_F(SplitFileTest, ScriptOnDiskIsExact) {
    ASSERT_EQ(split("report 100%.pdf", everyByte(30), 10), 3);
    EXPECT_EQ(readFile(folder + "/JoinFiles.bat"),
              "@Echo off\r\n"
              "Del \"$$report 100%%.pdf$$\" > nul \r\n"
              "Copy /b \"report 100%%.pdf.1\" \"$$report 100%%.pdf$$\" > nul \r\n"
              "Copy /b \"$$report 100%%.pdf$$\"+\"report 100%%.pdf.2\" \"$$report 100%%.pdf$$\" > "
              "nul \r\n"
              "Copy /b \"$$report 100%%.pdf$$\"+\"report 100%%.pdf.3\" \"$$report 100%%.pdf$$\" > "
              "nul \r\n"
              "Copy /b /-y \"$$report 100%%.pdf$$\"  \"report 100%%.pdf\"\r\n"
              "Del \"$$report 100%%.pdf$$\" > nul ");
}

TEST_F(SplitFileTest, SizeIsRoundedToTheEvenNeighbour) {
    ASSERT_EQ(split("a", everyByte(2663), 1331.5), 2); // 1332 bytes, then 1331
    EXPECT_EQ(readFile(folder + "/a.1").size(), 1332u);
    ASSERT_EQ(split("b", everyByte(2663), 1331.2), 3);
    EXPECT_EQ(readFile(folder + "/b.3").size(), 1u);
    ASSERT_EQ(split("c", everyByte(10), 2.5), 5); // 2.5 is used as 2
}

TEST_F(SplitFileTest, FileNotLongerThanAPieceIsRefusedUntouched) {
    EXPECT_EQ(split("exact", everyByte(1000), 1000), 0);
    EXPECT_EQ(split("short", everyByte(1000), 1000.4), 0);
    EXPECT_EQ(split("empty", "", 0), 0);
    EXPECT_EQ(texts(), std::vector<std::string>(
                           3, "File is already smaller than destination file size, can not be "
                              "split."));
    EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"exact", "short", "empty"}));
}

TEST_F(SplitFileTest, CountingErrorsTouchNoFolderAndKeepAnOldSet) {
    EXPECT_EQ(split("zero", everyByte(100), 0), 0);
    EXPECT_FALSE(exists(folder));
    // 32,767 pieces could never be joined again: refused before any piece is written.
    EXPECT_EQ(split("many", std::string(32767, 'x'), 1), 0);
    EXPECT_FALSE(exists(folder));
    ASSERT_EQ(split("more", std::string(40000, 'x'), 10000), 4);
    const auto oldSet = namesIn(folder);
    EXPECT_EQ(split("more", std::string(40000, 'x'), 1), 0);
    EXPECT_EQ(namesIn(folder), oldSet);
    EXPECT_EQ(texts(), (std::vector<std::string>{"Division by zero", "Overflow", "Overflow"}));

    // The largest set there is still works.
    if (test::underWine())
        GTEST_SKIP() << "32,766 pieces take too long under Wine";
    messages.clear();
    fs.setDiskSync(false);
    EXPECT_EQ(split("most", std::string(32766, 'y'), 1), 32766);
    EXPECT_TRUE(exists(folder + "/most.32766"));
}

TEST_F(SplitFileTest, NegativeSizeWritesNothingAndIsNoSuccess) {
    EXPECT_LE(split("neg", everyByte(5001), -1000), 0);
    EXPECT_FALSE(exists(folder));
    EXPECT_LE(split("neg2", everyByte(999), -1000), 0);
    EXPECT_FALSE(exists(folder));
    EXPECT_LE(split("neg3", everyByte(999), -1e300), 0);
    EXPECT_FALSE(exists(folder));
    EXPECT_EQ(split("neg4", everyByte(100000), -1), 0); // -100,000 does not fit 16 bits
    EXPECT_EQ(texts(), std::vector<std::string>{"Overflow"});
}

TEST_F(SplitFileTest, SizeThatIsNoNumberIsRefusedBeforeAnythingIsMade) {
    EXPECT_EQ(split("nan", everyByte(100), std::nan("")), 0);
    EXPECT_EQ(split("inf", everyByte(100), HUGE_VAL), 0);
    EXPECT_LE(split("ninf", everyByte(100), -HUGE_VAL), 0);
    EXPECT_EQ(texts(),
              (std::vector<std::string>{"Overflow", "File is already smaller than destination "
                                                    "file size, can not be split."}));
    EXPECT_FALSE(exists(dir / "Split Files of nan"));
    EXPECT_FALSE(exists(dir / "Split Files of inf"));
    EXPECT_FALSE(exists(dir / "Split Files of ninf"));
}

TEST_F(SplitFileTest, EarlierSetIsReplacedWhole) {
    ASSERT_EQ(split("photo.jpg", everyByte(500), 10), 50);
    ASSERT_EQ(split("photo.jpg", everyByte(500), 100), 5);
    EXPECT_EQ(namesIn(folder),
              (std::set<std::string>{"photo.jpg.1", "photo.jpg.2", "photo.jpg.3", "photo.jpg.4",
                                     "photo.jpg.5", "photo.jpg.sha256", "JoinFiles.sh",
                                     "JoinFiles.bat"}));
}

TEST_F(SplitFileTest, FailuresNameThePathAndTheReason) {
    EXPECT_EQ(engine.SplitFile(dir / "missing", 10), 0);
    // A read-only file stops the deletion of an earlier set; nothing of it is lost.
    ASSERT_EQ(split("kept", everyByte(100), 10), 10);
    ASSERT_EQ(::chmod((folder + "/kept.03").c_str(), 0444), 0);
    EXPECT_EQ(engine.SplitFile(source, 50), 0);
    EXPECT_EQ(namesIn(folder).size(), 13u);

    const auto shown = texts();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0], "Cannot open file " + dir / "missing" + ": " + test::noSuchFile());
    EXPECT_NE(shown[1].find("Cannot delete folder " + folder), std::string::npos);
    EXPECT_NE(shown[1].find("kept.03"), std::string::npos);
}

TEST_F(SplitFileTest, ReadWriteLoopGivesTheSameBytes) {
    test::useKernelCopy(fs, false);
    const std::string bytes = everyByte(3 * 256 * 1024 + 5); // pieces beyond the buffer
    ASSERT_EQ(split("loop", bytes, 600 * 1024), 2);
    EXPECT_EQ(joined("loop", 2, 1), bytes);
}

// A file that holds fewer bytes than asked for (shortened while it is read) is an error, not an
// endless loop or a short piece taken for a whole one; the bytes that were there are copied.
TEST_F(SplitFileTest, CopyOfAFileThatEndsEarlyFailsAfterItsLastByte) {
    const std::string bytes = everyByte(300 * 1024);
    writeFile(dir / "short", bytes);
    for (bool kernel : {true, false}) {
        SCOPED_TRACE(kernel ? "kernel copy" : "read/write loop");
        test::useKernelCopy(fs, kernel);
        auto from = fs.OpenTextFile(dir / "short");
        auto to = fs.CreateTextFile(dir / "copy", true);
        try {
            fs.CopyBytes(*from, *to, bytes.size() + 10, {});
            ADD_FAILURE() << "no error";
        } catch (const std::exception& error) {
            EXPECT_EQ(std::string(error.what()),
                      "Cannot read file " + dir / "short" + ": the file ended early");
        }
        to->Close();
        EXPECT_EQ(readFile(dir / "copy"), bytes);
    }
}

TEST_F(SplitFileTest, ProgressReachesTheTotal) {
    std::int64_t last = 0, total = 0;
    engine.setProgress([&](std::int64_t done, std::int64_t all) {
        EXPECT_GE(done, last);
        last = done;
        total = all;
    });
    ASSERT_EQ(split("p", everyByte(1000), 300), 4);
    EXPECT_EQ(last, 1000);
    EXPECT_EQ(total, 1000);
}

} // namespace
} // namespace carvel
