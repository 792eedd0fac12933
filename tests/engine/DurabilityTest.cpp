#include "FaultyFileSystem.h"
#include "ScriptedMessageBox.h"
#include "SetCheck.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace carvel {
namespace {

struct DurabilityTest : ::testing::Test {
    int splitFive() {
        test::writeFile(dir / "src", test::everyByte(500));
        return engine.SplitFile(dir / "src", 100);
    }
    std::ptrdiff_t at(const std::string& event) const { // -1 when not recorded
        const auto found = std::find(log.begin(), log.end(), event);
        return found == log.end() ? -1 : found - log.begin();
    }
    test::TempDir dir;
    NativeFileSystem real;
    FaultyFileSystem faulty{real};
    ScriptedMessageBox messages;
    mdlMain engine{faulty, messages, "Carvel"};
    std::string folder = dir / "Split Files of src", mark = folder + test::kSep + "src.unfinished";
    std::vector<std::string> log;
};

TEST_F(DurabilityTest, ASetItsSplitDidNotFinishIsNeverTakenAsWhole) {
    const std::string refusal = "The split of src into " + folder +
                                " did not finish, so its pieces are not a whole set (" + mark +
                                " marks it).";
    // Stopped among the pieces; then with every file written, as the sync before the mark goes
    // fails (two syncs in the first run; the mark, the folder, five pieces, the checksum file,
    // the folder, the script, the folder).
    for (int run : {0, 1}) {
        run == 0 ? faulty.failCreate(4) : faulty.failSync(2 + 11);
        ASSERT_EQ(splitFive(), 0);
        EXPECT_EQ(engine.JoinPieces(dir / "back", folder + test::kSep + "src.?", 1), 0);
        EXPECT_EQ(messages.shown().back().text, refusal);
        EXPECT_FALSE(test::exists(dir / "back"));
        EXPECT_THROW(SetCheck::run(faulty, folder + test::kSep + "src.?", nullptr),
                     std::runtime_error);
    }
    EXPECT_EQ(test::namesIn(folder).size(), 8u); // five pieces, checksums, script and mark
    test::writeFile(dir / "gnu.1", "ab");        // a set without any file of ours joins
    EXPECT_EQ(engine.JoinPieces(dir / "gnu", dir / "gnu.?", 1), 1);
    ASSERT_EQ(splitFive(), 5);
    EXPECT_FALSE(test::exists(mark));
}

TEST_F(DurabilityTest, EverythingWrittenIsOnTheDiskBeforeDoneIsSaid) {
    long phaseAt = -1;
    engine.setPhaseChange([&](mdlMain::Phase) { phaseAt = long(faulty.events().size()); });
    ASSERT_EQ(splitFive(), 5);
    log = faulty.events();
    EXPECT_LT(at("sync " + mark), at("folder " + folder)); // before the first piece
    EXPECT_LT(at("folder " + folder), at("create " + folder + test::kSep + "src.1"));
    const std::ptrdiff_t markGone = at("delete " + mark);
    const std::ptrdiff_t sumsNamed =
        at("move " + folder + test::kSep + "src.sha256.part " + folder + test::kSep + "src.sha256");
    for (const std::string& name : test::namesIn(folder)) {
        const std::ptrdiff_t synced =
            at("sync " + folder + test::kSep + "" + name + (name == "src.sha256" ? ".part" : ""));
        EXPECT_TRUE(synced >= phaseAt && synced < markGone) << name;
        EXPECT_TRUE(name.find("src.") != 0 || synced < sumsNamed) << name;
    }
    EXPECT_EQ(log[std::size_t(markGone - 1)], "folder " + folder);
    EXPECT_EQ(std::vector<std::string>(log.begin() + markGone + 1, log.end()),
              (std::vector<std::string>{"folder " + folder, "folder " + dir.path()}));

    const std::size_t before = log.size(); // a join's result: synced, named, its folder synced
    ASSERT_EQ(engine.JoinPieces(dir / "back", folder + test::kSep + "src.?", 1), 5);
    log = faulty.events();
    EXPECT_EQ(std::vector<std::string>(log.begin() + long(before), log.end()),
              (std::vector<std::string>{"sync " + dir / "back", "commit " + dir / "back",
                                        "folder " + dir.path()}));
}

} // namespace
} // namespace carvel
