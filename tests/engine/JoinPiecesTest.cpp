#include "ForwardingFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "flow/PanelChecks.h"
#include "mdlMain.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>
#ifndef _WIN32
#include <sys/wait.h>
#endif

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
    NativeFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Seamer"};
};

TEST_F(JoinPiecesTest, JoinsInNumberOrderWhateverTheWidthAndRefusesAGapOrTwins) {
    pieces({"1", "2", "4"});
    writeFile(dir / "out", "precious");
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 0);
    EXPECT_EQ(texts(), std::vector<std::string>{"Piece p.3 of the set is missing."});
    EXPECT_EQ(readFile(dir / "out"), "precious");
    expectOnlyFiles({"p.1", "p.2", "p.4", "out"});
    messages.clear();

    // Unpadded: p.10 is the tenth piece, whichever piece gave the pattern.
    pieces({"3", "5", "6", "7", "8", "9", "10"});
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 10);
    EXPECT_EQ(readFile(dir / "out"), "<1><2><3><4><5><6><7><8><9><10>");
    EXPECT_EQ(engine.JoinPieces(dir / "out2", dir / "p.??", 1), 10);
    EXPECT_EQ(readFile(dir / "out2"), readFile(dir / "out"));

    // Two files of one number: neither is taken for the other.
    pieces({"01"});
    EXPECT_EQ(engine.JoinPieces(dir / "out3", dir / "p.??", 1), 0);
    EXPECT_EQ(texts(), std::vector<std::string>{"Cannot join the set of " + (dir / "p") +
                                                ": p.01 and p.1 are both its piece 1"});
    EXPECT_FALSE(exists(dir / "out3"));

    // Numbered from 0, as split -d numbers: piece 0 comes first.
    messages.clear();
    for (const std::string& name : namesIn(dir.path()))
        if (name.rfind("p.", 0) == 0)
            ::unlink((dir / name).c_str());
    pieces({"00", "01", "02"});
    EXPECT_EQ(engine.JoinPieces(dir / "out3", dir / "p.??", 1), 3);
    EXPECT_EQ(readFile(dir / "out3"), "<00><01><02>");
    EXPECT_TRUE(messages.shown().empty());
}

// A file system that ignores the letter case of names, as FAT and NTFS through Windows do.
class CaseBlindFileSystem final : public ForwardingFileSystem {
public:
    using ForwardingFileSystem::ForwardingFileSystem;
    static std::string lower(std::string path) {
        for (std::size_t i = path.rfind('/') + 1; i < path.size(); ++i)
            path[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(path[i])));
        return path;
    }
    bool FileExists(const std::string& path) override { return real().FileExists(lower(path)); }
    bool SameFile(const std::string& a, const std::string& b) override {
        return real().SameFile(lower(a), lower(b));
    }
};

TEST_F(JoinPiecesTest, APieceChosenInAnotherCaseFindsItsSetWhereCaseIsIgnored) {
    pieces({"1", "2"});
    CaseBlindFileSystem blind(fs);
    mdlMain caseBlind{blind, messages, "Seamer"};
    EXPECT_TRUE(CheckJoinInput(dir / "P.?", dir / "out", blind, messages).ok);
    EXPECT_EQ(caseBlind.JoinPieces(dir / "out", dir / "P.?", 1), 2);
    EXPECT_EQ(readFile(dir / "out"), "<1><2>");
#ifndef _WIN32 // where the file system itself ignores case
    // Where case counts, P.1 is no piece of the set of p.
    EXPECT_FALSE(CheckJoinInput(dir / "P.?", dir / "out2", fs, messages).ok);
    EXPECT_EQ(engine.JoinPieces(dir / "out2", dir / "P.?", 1), 0);
    EXPECT_FALSE(exists(dir / "out2"));
#endif
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
    EXPECT_EQ(shown[2], "Cannot create file " + dir / "no/such/folder/out: " + test::noSuchPath());
    EXPECT_EQ(readFile(dir / "out"), "precious");
    expectOnlyFiles({"p.1", "p.2", "out"});
}

TEST_F(JoinPiecesTest, DestinationThatIsAPieceIsRefused) {
    pieces({"1", "2", "3"});
    const std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    // The same piece spelt differently, and through a second link.
    std::filesystem::create_hard_link(dir / "p.3", dir / "linked");
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
    if (test::underWine())
        GTEST_SKIP() << "32,767 pieces take too long under Wine";
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

TEST_F(JoinPiecesTest, OnlyARegularFileIsReadOrReplaced) {
#ifdef _WIN32
    GTEST_SKIP() << "needs named pipes (mkfifo), which Windows has not";
#else
    pieces({"1", "2"});
    ASSERT_EQ(::mkfifo((dir / "out").c_str(), 0644), 0);
    std::filesystem::create_directory(dir / "folder");
    // A pipe named like a piece would block its reader for ever.
    ASSERT_EQ(::mkfifo((dir / "f.2").c_str(), 0644), 0);
    writeFile(dir / "f.1", "a");
    ::alarm(20);
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 0);
    EXPECT_EQ(engine.JoinPieces(dir / "folder", dir / "p.?", 1), 0);
    EXPECT_EQ(engine.JoinPieces(dir / "g", dir / "f.?", 1), 0);
    ::alarm(0);
    EXPECT_EQ(texts(),
              (std::vector<std::string>{
                  "Cannot create file " + dir / "out" + ": it is not a regular file",
                  "Cannot create file " + dir / "folder" + ": Is a directory",
                  "Cannot get the length of file " + dir / "f.2" + ": it is not a regular file"}));
    struct stat info {};
    ASSERT_EQ(::lstat((dir / "out").c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
    expectOnlyFiles({"p.1", "p.2", "out", "folder", "f.1", "f.2"});
#endif
}

TEST_F(JoinPiecesTest, ReplacedDestinationKeepsItsPermissions) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permission bits";
#else
    pieces({"1", "2"});
    writeFile(dir / "tool", "old");
    ASSERT_EQ(::chmod((dir / "tool").c_str(), 0750), 0);
    EXPECT_EQ(engine.JoinPieces(dir / "tool", dir / "p.?", 1), 2);
    EXPECT_EQ(readFile(dir / "tool"), "<1><2>");
    struct stat info {};
    ASSERT_EQ(::stat((dir / "tool").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0750u);
#endif
}

// Writing to a link writes the file it names: the link stays, the named file gets the content.
TEST_F(JoinPiecesTest, DestinationThatIsALinkIsWrittenThrough) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need privileges on Windows";
#else
    pieces({"1", "2"});
    std::filesystem::create_directory(dir / "real");
    writeFile(dir / "real/file", "old");
    const std::string before = std::filesystem::current_path().string();
    ASSERT_EQ(::chdir(dir.path().c_str()), 0);
    // Relative to the link's folder, through a second link, and from a bare name.
    ASSERT_EQ(::symlink("real/file", (dir / "link").c_str()), 0);
    ASSERT_EQ(::symlink((dir / "link").c_str(), (dir / "real/chain").c_str()), 0);
    ASSERT_EQ(::symlink("new", (dir / "real/dangling").c_str()), 0);
    EXPECT_EQ(engine.JoinPieces("link", dir / "p.?", 1), 2);
    EXPECT_EQ(readFile(dir / "real/file"), "<1><2>");
    writeFile(dir / "real/file", "old");
    EXPECT_EQ(engine.JoinPieces(dir / "real/chain", dir / "p.?", 1), 2);
    EXPECT_EQ(readFile(dir / "real/file"), "<1><2>");
    // A link to a file not there yet makes that file.
    EXPECT_EQ(engine.JoinPieces(dir / "real/dangling", dir / "p.?", 1), 2);
    EXPECT_EQ(readFile(dir / "real/new"), "<1><2>");
    ASSERT_EQ(::chdir(before.c_str()), 0);

    for (const char* link : {"link", "real/chain", "real/dangling"}) {
        struct stat info {};
        ASSERT_EQ(::lstat((dir / link).c_str(), &info), 0);
        EXPECT_TRUE(S_ISLNK(info.st_mode)) << link;
    }
    EXPECT_TRUE(messages.shown().empty());
    expectOnlyFiles({"p.1", "p.2", "real", "link"});
    EXPECT_EQ(namesIn(dir / "real"), (std::set<std::string>{"file", "chain", "dangling", "new"}));

    // A loop of links names no file at all.
    ASSERT_EQ(::symlink("loop2", (dir / "loop1").c_str()), 0);
    ASSERT_EQ(::symlink("loop1", (dir / "loop2").c_str()), 0);
    EXPECT_EQ(engine.JoinPieces(dir / "loop1", dir / "p.?", 1), 0);
    EXPECT_EQ(texts(), std::vector<std::string>{"Cannot follow link " + dir / "loop1" +
                                                ": Too many levels of symbolic links"});
#endif
}

// A destination this user may not write stays as it was, as creating it anew would fail. Root
// may write any file, so as root the join runs as another user in a folder open to all.
TEST_F(JoinPiecesTest, DestinationThatMayNotBeWrittenIsLeftAlone) {
#ifdef _WIN32
    GTEST_SKIP() << "POSIX permission bits and users";
#else
    pieces({"1", "2"});
    writeFile(dir / "out", "precious");
    ASSERT_EQ(::chmod((dir / "out").c_str(), 0444), 0);
    const std::string expected = "Cannot create file " + dir / "out" + ": Permission denied";
    auto attempt = [&] {
        messages.clear();
        const int count = engine.JoinPieces(dir / "out", dir / "p.?", 1);
        return count == 0 && messages.shown().size() == 1 && messages.shown()[0].text == expected;
    };
    if (::geteuid() != 0) {
        EXPECT_TRUE(attempt()) << (messages.shown().empty() ? "" : messages.shown()[0].text);
    } else {
        ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const bool asked = ::setgid(65534) == 0 && ::setuid(65534) == 0;
            ::_exit(asked && attempt() ? 0 : 1);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }
    EXPECT_EQ(readFile(dir / "out"), "precious");
    expectOnlyFiles({"p.1", "p.2", "out"});
#endif
}

} // namespace
} // namespace carvel
