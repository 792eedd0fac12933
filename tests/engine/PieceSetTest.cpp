#include "PieceSet.h"
#include "TestFiles.h"

#include <gtest/gtest.h>

namespace carvel {
namespace {

TEST(PieceSet, WidthFollowsThePieceCount) {
    const std::pair<long long, int> cases[] = {{2, 1},     {9, 1},    {10, 2},   {99, 2},
                                               {100, 3},   {999, 3},  {1000, 4}, {9999, 4},
                                               {10000, 5}, {32766, 5}};
    for (const auto& [count, width] : cases)
        EXPECT_EQ(PieceSet::numberWidth(count), width) << count;
    EXPECT_EQ(PieceSet::numberText(7, 3), "007");
    EXPECT_EQ(PieceSet::numberText(120, 3), "120");
    EXPECT_EQ(PieceSet::numberText(1, 5), "00001");
    EXPECT_EQ(PieceSet::numberText(32766, 5), "32766");
}

TEST(PieceSet, PathsArePlainConcatenation) {
    NativeFileSystem fs;
    const std::string s(1, kPathSeparator); // the system's own separator
    EXPECT_EQ(PieceSet::pieceFolder(fs, "/backup/photos.zip"),
              "/backup" + s + "Split Files of photos.zip");
    // The root keeps its separator, so the folder holds two in a row.
    EXPECT_EQ(PieceSet::pieceFolder(fs, "/x"), "/" + s + "Split Files of x");
    // Never the root for a source named without a folder.
    EXPECT_EQ(PieceSet::pieceFolder(fs, "photos.zip"), "Split Files of photos.zip");
    EXPECT_EQ(PieceSet::pieceFolder(fs, "sub/photos.zip"), "sub" + s + "Split Files of photos.zip");
    EXPECT_EQ(PieceSet::pieceFolder(fs, "/my.files/archive.tar.gz"),
              "/my.files" + s + "Split Files of archive.tar.gz");
    EXPECT_EQ(PieceSet::piecePath("/b/Split Files of data", "data", 3, 2),
              "/b/Split Files of data" + s + "data.03");
    EXPECT_EQ(PieceSet::piecePattern("/b/Split Files of a.tar.gz", "a.tar.gz", 1),
              "/b/Split Files of a.tar.gz" + s + "a.tar.gz.?");
}

TEST(PieceSet, ParentAndNameOfAPath) {
    NativeFileSystem fs;
    EXPECT_EQ(fs.GetParentFolderName("/a/b/c.txt"), "/a/b");
    EXPECT_EQ(fs.GetFileName("/a/b/c.txt"), "c.txt");
    EXPECT_EQ(fs.GetParentFolderName("/x"), "/");
    EXPECT_EQ(fs.GetParentFolderName("name"), "");
    EXPECT_EQ(fs.GetFileName("name"), "name");
    EXPECT_EQ(fs.GetParentFolderName("rel/name"), "rel");
    EXPECT_EQ(fs.GetFileName("/a/dir/"), "dir");
}

TEST(PieceSet, NumericTestAcceptsSignsBlanksAndExponentsOnly) {
    for (const char* yes : {"1", "007", " 12 ", "+3", "-4", "1e5", "2E-3", "\t5"})
        EXPECT_TRUE(PieceSet::isNumeric(yes)) << yes;
    for (const char* no : {"", " ", "+", "1.5", "zip", "1a", "0x10", "e5", "1e", "1 2", "--1"})
        EXPECT_FALSE(PieceSet::isNumeric(no)) << no;
}

TEST(PieceSet, AnyPieceLeadsToItsPattern) {
    EXPECT_EQ(PieceSet::patternFromPiece("/b/photos.zip.3"), "/b/photos.zip.?");
    EXPECT_EQ(PieceSet::patternFromPiece("/b/photos.zip.07"), "/b/photos.zip.??");
    EXPECT_EQ(PieceSet::patternFromPiece("/my.files/data.bin.2"), "/my.files/data.bin.?");
    EXPECT_EQ(PieceSet::patternFromPiece("/r/report.2024"), "/r/report.????");
    EXPECT_EQ(PieceSet::patternFromPiece("/r/notes.txt"), std::nullopt);
    EXPECT_EQ(PieceSet::patternFromPiece("/my.files/data"), std::nullopt);
    EXPECT_EQ(PieceSet::patternFromPiece("/r/x."), std::nullopt);

    EXPECT_EQ(PieceSet::firstPiecePath("/x/photos.zip.???"), "/x/photos.zip.001");
    EXPECT_EQ(PieceSet::firstPiecePath("/x/photos.zip.?"), "/x/photos.zip.1");
    EXPECT_EQ(PieceSet::firstPiecePath("/x/a?b.??"), "/x/a?b.01");
}

TEST(PieceSet, ChosenDestinationDropsAPieceNumber) {
    EXPECT_EQ(PieceSet::destinationFromChosen("/out/photos.zip.3"), "/out/photos.zip");
    EXPECT_EQ(PieceSet::destinationFromChosen("/out/movie.avi"), "/out/movie.avi");
    EXPECT_EQ(PieceSet::destinationFromChosen("/out/plain"), "/out/plain");
    EXPECT_EQ(PieceSet::destinationFromChosen("/out/backup.001"), std::nullopt);
}

} // namespace
} // namespace carvel
