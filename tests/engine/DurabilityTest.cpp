#include "FaultyFileSystem.h"
#include "PosixFileSystem.h"
#include "ScriptedMessageBox.h"
#include "SetCheck.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace carvel {
namespace {

using test::everyByte;
using test::exists;
using test::namesIn;
using test::writeFile;

class DurabilityTest : public ::testing::Test {
protected:
    int splitFive() {
        writeFile(dir / "src", everyByte(500));
        return engine.SplitFile(dir / "src", 100);
    }
    // Where event first is in the record, or -1.
    long at(const std::string& event) const {
        const auto found = std::find(log.begin(), log.end(), event);
        return found == log.end() ? -1 : found - log.begin();
    }

    test::TempDir dir;
    PosixFileSystem real;
    FaultyFileSystem faulty{real};
    ScriptedMessageBox messages;
    mdlMain engine{faulty, messages, "Carvel"};
    std::string folder = dir / "Split Files of src";
    std::string mark = folder + "/src.unfinished";
    std::vector<std::string> log;
};

TEST_F(DurabilityTest, ASetItsSplitDidNotFinishIsNeverTakenAsWhole) {
    const std::string refusal = "The split of src into " + folder +
                                " did not finish, so its pieces are not a whole set (" + mark +
                                " marks it).";
    // Stopped among the pieces; then with every file written but the mark not yet gone (the
    // sync of the folder before it goes fails: two syncs of the first run; then the mark, the
    // folder, five pieces, the checksum file, the folder, the script, the folder).
    for (const auto& fail : {+[](FaultyFileSystem& fs) { fs.failCreate(4); },
                             +[](FaultyFileSystem& fs) { fs.failSync(2 + 11); }}) {
        messages.clear();
        fail(faulty);
        ASSERT_EQ(splitFive(), 0);
        EXPECT_TRUE(exists(mark));
        EXPECT_EQ(engine.JoinPieces(dir / "back", folder + "/src.?", 1), 0);
        EXPECT_EQ(messages.shown().back().text, refusal);
        EXPECT_FALSE(exists(dir / "back"));
        try {
            SetCheck::run(faulty, folder + "/src.?", nullptr);
            ADD_FAILURE() << "a marked set was checked";
        } catch (const std::runtime_error& error) {
            EXPECT_EQ(error.what(), refusal);
        }
    }
    EXPECT_EQ(namesIn(folder),
              (std::set<std::string>{"src.1", "src.2", "src.3", "src.4", "src.5", "src.sha256",
                                     "JoinFiles.bat", "src.unfinished"}));
    // A set without any file of ours, and a finished one, join.
    writeFile(dir / "gnu.1", "ab");
    writeFile(dir / "gnu.2", "c");
    EXPECT_EQ(engine.JoinPieces(dir / "gnu", dir / "gnu.?", 1), 2);
    ASSERT_EQ(splitFive(), 5);
    EXPECT_FALSE(exists(mark));
    EXPECT_EQ(engine.JoinPieces(dir / "back", folder + "/src.?", 1), 5);
}

TEST_F(DurabilityTest, EverythingWrittenIsOnTheDiskBeforeDoneIsSaid) {
    long phaseAt = -1;
    engine.setPhaseChange([&](mdlMain::Phase phase) {
        if (phase == mdlMain::Phase::WritingToDisk)
            phaseAt = static_cast<long>(faulty.events().size());
    });
    ASSERT_EQ(splitFive(), 5);
    log = faulty.events();
    // The mark is on the disk before the first piece is made.
    EXPECT_LT(at("sync " + mark), at("folder " + folder));
    EXPECT_LT(at("folder " + folder), at("create " + folder + "/src.1"));
    // Every file of the set is on the disk, and the folder after them, before the mark goes;
    // the checksum file takes its name only once it and the pieces are.
    const long markGone = at("delete " + mark);
    for (const std::string& name : namesIn(folder)) {
        const std::string synced = folder + "/" + name + (name == "src.sha256" ? ".part" : "");
        EXPECT_GE(at("sync " + synced), phaseAt) << name;
        EXPECT_LT(at("sync " + synced), markGone) << name;
        if (name != "src.sha256" && name != "JoinFiles.bat") {
            EXPECT_LT(at("sync " + synced),
                      at("move " + folder + "/src.sha256.part " + folder + "/src.sha256"))
                << name;
        }
    }
    EXPECT_EQ(log[static_cast<std::size_t>(markGone) - 1], "folder " + folder);
    EXPECT_EQ(std::vector<std::string>(log.begin() + markGone + 1, log.end()),
              (std::vector<std::string>{"folder " + folder, "folder " + dir.path()}));

    // A join's result is on the disk before it takes its name, and its name after.
    const std::size_t before = log.size();
    ASSERT_EQ(engine.JoinPieces(dir / "back", folder + "/src.?", 1), 5);
    log = faulty.events();
    log.erase(log.begin(), log.begin() + static_cast<long>(before));
    EXPECT_EQ(log, (std::vector<std::string>{"sync " + dir / "back", "commit " + dir / "back",
                                             "folder " + dir.path()}));
}

} // namespace
} // namespace carvel
