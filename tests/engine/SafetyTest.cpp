#include "ScriptedMessageBox.h"
#include "SetCheck.h"
#include "TestFiles.h"
#include "UnfinishedFiles.h"
#include "flow/PanelChecks.h"
#include "mdlMain.h"

#include <functional>
#include <gtest/gtest.h>
#include <utility>
#ifndef _WIN32
#include <grp.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace carvel {
namespace {

using test::everyByte;
using test::exists;
using test::namesIn;
using test::readFile;
using test::writeFile;

#ifndef _WIN32
constexpr uid_t kNobody = 65534;

// The exit status of work run in a child process as the user nobody.
int asNobody(const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0)
        ::_exit(::setgroups(0, nullptr) || ::setgid(kNobody) || ::setuid(kNobody) ? 99 : work());
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}
#endif

class SafetyTest : public ::testing::Test {
protected:
    std::string lastText() const { return messages.shown().back().text; }
    bool checkSplit(const std::string& source) {
        const auto one = [](const std::string&) { return 1.0; };
        return CheckSplitInput(source, "1", 0, fs, messages, "Carvel", one).ok;
    }
    void pieces() {
        for (const char* i : {"1", "2", "3"})
            writeFile(dir / (std::string("p.") + i), std::string("<") + i + ">");
    }
    std::string refusal(const std::string& source, const std::string& why) {
        return "Cannot split file " + source + ": " + why;
    }
    // Runs work once, at the first progress of the engine: another split or join that runs
    // while this one is under way.
    void meanwhile(const std::function<void()>& work) {
        engine.setProgress([work, done = false](FileLength, FileLength) mutable {
            if (!std::exchange(done, true))
                work();
        });
    }

    test::TempDir dir;
    NativeFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
    ScriptedMessageBox otherMessages;
    mdlMain other{fs, otherMessages, "Carvel"};
};

TEST_F(SafetyTest, NamesThatCouldEndTheirQuotesAreRefusedBeforeAnythingIsWritten) {
#ifdef _WIN32
    GTEST_SKIP() << "Windows file names hold no double quotes or control characters";
#else
    for (const std::string name :
         {"x\" & echo INJECTED> pwned.txt & rem \".txt", "a\rb", "a\nb", "tab\there", "del\x7f"}) {
        writeFile(dir / name, everyByte(3000));
        const std::string text = refusal(dir / name, "its name holds a double quote or a control "
                                                     "character, which JoinFiles.bat cannot "
                                                     "carry. Rename the file first.");
        EXPECT_EQ(engine.SplitFile(dir / name, 1000), 0);
        EXPECT_EQ(lastText(), text);
        EXPECT_FALSE(checkSplit(dir / name));
        EXPECT_EQ(messages.shown().back().caption + ": " + lastText(), "Error: " + text);
        EXPECT_FALSE(exists(dir / ("Split Files of " + name)));
    }
#endif
}

// The set rebuilt by the command interpreter itself: names that hold its command characters
// run nothing, and names outside ASCII come back under their own names, also those that code
// page 850 lacks (found in the folder; under Wine such a name may hold no "%").
TEST_F(SafetyTest, HostileNamesRunNothingInACommandInterpreter) {
#ifdef _WIN32
    GTEST_SKIP() << "runs Wine from Linux; on Windows the Windows tests run JoinFiles.bat";
#else
    if (std::system("command -v wine >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "wine is not installed, so no command interpreter to run JoinFiles.bat";
    std::vector<std::string> names = {"x & md pwned1 & rem .txt", "x) & md pwned2 & (.txt",
                                      "^& md pwned3 ^&.txt",      "%COMSPEC% & md pwned4",
                                      "!x! & md pwned5 & rem !",  "café.txt",
                                      "Ärger ½ Übel.dat"};
    for (const char* name :
         {"Ελληνικά.bin", "中文文件.bin", "emoji😀.bin", "Wörter ß €.bin", "x) & md pwned6 & (€"})
        names.push_back(name);
    std::string driver = "@echo off\r\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        writeFile(dir / names[i], everyByte(2500 + i));
        ASSERT_EQ(engine.SplitFile(dir / names[i], 1000), 3) << names[i];
        // Folders of plain names, so that the driver script names nothing hostile itself.
        std::filesystem::rename(dir / ("Split Files of " + names[i]),
                                dir / ("d" + std::to_string(i)));
        driver += "cd d" + std::to_string(i) + "\r\ncall JoinFiles.bat\r\ncd ..\r\n";
    }
    writeFile(dir / "all.bat", driver);
    const int status = std::system(("cd '" + dir.path() +
                                    "' && WINEDEBUG=-all timeout 300 wine cmd /c all.bat "
                                    ">/dev/null 2>&1")
                                       .c_str());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 124)
        GTEST_SKIP() << "wine did not finish in time";
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string folder = dir / ("d" + std::to_string(i));
        const std::string& name = names[i];
        // Nothing but the set and the file rebuilt under its own name.
        EXPECT_EQ(namesIn(folder),
                  (std::set<std::string>{name + ".1", name + ".2", name + ".3", name + ".sha256",
                                         "JoinFiles.sh", "JoinFiles.bat", name}));
        const std::string rebuilt = folder + "/" + name;
        EXPECT_EQ(exists(rebuilt) ? readFile(rebuilt) : "", everyByte(2500 + i)) << name;
    }
    for (const std::string& name : namesIn(dir.path()))
        EXPECT_NE(name.rfind("pwned", 0), 0u) << name;
#endif
}

TEST_F(SafetyTest, ASourceInsideItsOwnPieceFolderIsNeverDeleted) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links need privileges on Windows";
#else
    const std::string folder = dir / "Split Files of link";
    std::filesystem::create_directory(folder);
    writeFile(folder + "/data", everyByte(3000));
    std::filesystem::create_symlink("Split Files of link/data", dir / "link");
    const std::string text = refusal(dir / "link", "it lies inside the folder " + folder +
                                                       ", which the split would "
                                                       "delete.");
    EXPECT_EQ(engine.SplitFile(dir / "link", 1000), 0);
    EXPECT_EQ(lastText(), text);
    // The panel refuses before it asks to delete the folder.
    messages.clear();
    messages.setNextAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(checkSplit(dir / "link"));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(lastText(), text);
    EXPECT_EQ(readFile(folder + "/data"), everyByte(3000));
#endif
}

TEST_F(SafetyTest, AFileThatAppearsDuringAJoinIsKeptAndTheJoinFails) {
    pieces();
    writeFile(dir / "q.1", "other");
    for (const bool unnamed : {true, false}) {
        test::useUnnamedFiles(fs, unnamed);
        std::filesystem::remove(dir / "out");
        // While this join runs, a second join of another set to the same new name ends first.
        meanwhile([&] { EXPECT_EQ(other.JoinPieces(dir / "out", dir / "q.?", 1), 1); });
        EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 0);
        EXPECT_EQ(lastText(), "Cannot create file " + dir / "out" +
                                  ": a file of that name appeared while the join ran; it is kept "
                                  "unchanged");
        EXPECT_EQ(readFile(dir / "out"), "other");
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"p.1", "p.2", "p.3", "q.1", "out"}));
    }
}

TEST_F(SafetyTest, ASecondSplitOfTheSameSourceFailsAtOnce) {
    const std::string source = dir / "big";
    writeFile(source, everyByte(40000));
    const std::string text = refusal(source, "another split of it is under way.");
    meanwhile([&] {
        EXPECT_EQ(other.SplitFile(source, 1000), 0);
        EXPECT_EQ(otherMessages.shown().back().text, text);
    });
    EXPECT_EQ(engine.SplitFile(source, 1000), 40);
    // 40 pieces, the checksum file and the two scripts.
    EXPECT_EQ(namesIn(dir / "Split Files of big").size(), 43u);
    // The panel does not delete the folder of a split under way either.
    const auto held = fs.LockFile(source);
    messages.setNextAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(checkSplit(source));
    EXPECT_EQ(lastText(), text);
    EXPECT_EQ(namesIn(dir / "Split Files of big").size(), 43u);
}

TEST_F(SafetyTest, ARefusedDeleteLeavesTheOldSetWhole) {
#ifdef _WIN32
    GTEST_SKIP() << "immutable files and other users need Linux";
#else
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to make a file immutable and to act as another user";
    const std::string source = dir / "data";
    writeFile(source, everyByte(5000));
    ASSERT_EQ(engine.SplitFile(source, 1000), 5);
    const std::string folder = dir / "Split Files of data";
    const auto before = namesIn(folder);
    if (std::system(("chattr +i '" + folder + "/data.3' 2>/dev/null").c_str()) != 0)
        GTEST_SKIP() << "this file system cannot make a file immutable";
    EXPECT_EQ(engine.SplitFile(source, 2000), 0);
    EXPECT_EQ(std::system(("chattr -i '" + folder + "/data.3'").c_str()), 0);
    EXPECT_EQ(lastText(), "Cannot delete folder " + folder + ": " + folder +
                              "/data.3 is immutable or append-only; nothing was deleted");
    EXPECT_EQ(namesIn(folder), before);

    // A sub-folder that the user may not empty, in a folder of the user's own.
    std::filesystem::create_directory(folder + "/locked");
    writeFile(folder + "/locked/x", "x");
    EXPECT_EQ(std::system(("chmod 777 '" + dir.path() + "' && chown nobody '" + folder + "' '" +
                           folder + "'/data.*")
                              .c_str()),
              0);
    EXPECT_EQ(asNobody([&] {
                  engine.SplitFile(source, 2000);
                  return lastText().find(folder + "/locked may not be emptied") ==
                         std::string::npos;
              }),
              0);
    EXPECT_EQ(namesIn(folder).size(), before.size() + 1);
#endif
}

// Where the result cannot be made beside the destination, or would not keep its owner, the
// destination is written as a plain create would, and never copied in full to then fail.
TEST_F(SafetyTest, WhereNoFileCanReplaceTheDestinationItIsWrittenInPlace) {
#ifdef _WIN32
    GTEST_SKIP() << "sticky folders and other users need Linux";
#else
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    pieces();
    std::filesystem::create_directory(dir / "sticky");
    writeFile(dir / "mine", "old");          // nobody's file in a folder nobody may not write
    writeFile(dir / "sticky/theirs", "old"); // root's writable file in a folder such as /tmp
    ASSERT_EQ(std::system(("cd '" + dir.path() + "' && chmod 755 . && chown nobody mine && " +
                           "chmod 1777 sticky && chmod 666 sticky/theirs")
                              .c_str()),
              0);
    for (const std::string& destination : {dir / "mine", dir / "sticky/theirs"}) {
        struct stat before {
        }, after{};
        ASSERT_EQ(::stat(destination.c_str(), &before), 0);
        EXPECT_EQ(asNobody([&] { return engine.JoinPieces(destination, dir / "p.?", 1); }), 3);
        EXPECT_EQ(readFile(destination), "<1><2><3>");
        ASSERT_EQ(::stat(destination.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
    EXPECT_EQ(namesIn(dir / "sticky"), std::set<std::string>{"theirs"});
#endif
}

TEST_F(SafetyTest, AJoinUnderWayLeavesNothingNamedBehind) {
#ifdef _WIN32
    GTEST_SKIP() << "on Windows the result is a hidden file that closing deletes; the Windows "
                    "tests kill a join";
#else
    pieces();
    const auto before = namesIn(dir.path());
    std::set<std::string> during;
    engine.setProgress([&](FileLength, FileLength) { during = namesIn(dir.path()); });
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 3);
    EXPECT_EQ(during, before) << "the result has a name before it is complete";
    // Where only a named file can be made, a program ended by a signal removes it first.
    fs.setUnnamedFiles(false);
    engine.setProgress([&](FileLength, FileLength) {
        if (during.size() == before.size())
            during = namesIn(dir.path());
        UnfinishedFiles::removeAll();
    });
    EXPECT_EQ(engine.JoinPieces(dir / "other", dir / "p.?", 1), 0);
    EXPECT_EQ(during.size(), before.size() + 2); // "out" and the temporary file
    EXPECT_EQ(namesIn(dir.path()).size(), before.size() + 1);
#endif
}

TEST_F(SafetyTest, WhatIsNotARegularFileOrNameIsSaidBeforeAnyCopy) {
#ifdef _WIN32
    GTEST_SKIP() << "named pipes, /dev and /proc need Linux";
#else
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    for (const std::string& source :
         {dir / "fifo", std::string("/dev/zero"), std::string("/proc/self/status")}) {
        EXPECT_FALSE(checkSplit(source));
        EXPECT_EQ(lastText(),
                  "Cannot get the length of file " + source + ": it is not a regular file");
        EXPECT_EQ(engine.SplitFile(source, 1), 0);
        EXPECT_EQ(lastText(), "Cannot open file " + source + ": it is not a regular file");
    }
    pieces();
    const std::string longName = dir / std::string(256, 'n');
    bool copied = false;
    engine.setProgress([&](FileLength, FileLength) { copied = true; });
    EXPECT_EQ(engine.JoinPieces(longName, dir / "p.?", 1), 0);
    EXPECT_EQ(lastText(), "Cannot create file " + longName + ": File name too long");
    EXPECT_FALSE(copied);
#endif
}

// A set from an archive can hold links to files its receiver may read and others may not.
TEST_F(SafetyTest, LinksInAReceivedSetAreNeitherJoinedNorRead) {
#ifdef _WIN32
    GTEST_SKIP() << "symbolic links are made with POSIX calls here";
#else
    writeFile(dir / "s", everyByte(3000));
    ASSERT_EQ(engine.SplitFile(dir / "s", 1000), 3);
    const std::string set = dir / "Split Files of s/";
    // A piece, the checksum file, then the script that counts the set without it, each a link to
    // its own bytes; then a link put in a piece's place after the look at the set.
    for (const std::string name : {"s.2", "s.sha256", "JoinFiles.bat", "s.3"}) {
        const auto swap = [&, name] {
            std::filesystem::rename(set + name, dir / name);
            std::filesystem::create_symlink(dir / name, set + name);
        };
        name == "s.3" ? meanwhile(swap) : swap();
        EXPECT_EQ(engine.JoinPieces(dir / "out", set + "s.?", 1), 0);
        EXPECT_EQ(lastText(), linkRefusalText(set + name));
        EXPECT_TRUE(name != "s.2" ||
                    SetCheck::run(fs, set + "s.?", {}).problems[0] == linkRefusalText(set + name));
        std::filesystem::remove(set + name);
        if (name != "s.sha256")
            std::filesystem::rename(dir / name, set + name);
    }
    EXPECT_FALSE(exists(dir / "out"));
#endif
}

// A destination that is a link is followed only where the kernel would follow it for this user:
// not one that another user left in a sticky folder everyone may write to.
TEST_F(SafetyTest, ADestinationLinkIsFollowedOnlyAsTheKernelWould) {
#ifdef _WIN32
    GTEST_SKIP() << "acting as another user needs POSIX calls";
#else
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    pieces();
    std::filesystem::create_directories(dir / "tmp/chosen");
    ASSERT_EQ(std::system(("cd '" + dir.path() +
                           "' && chmod 755 . && chmod 1777 tmp && chmod 777 "
                           "tmp/chosen")
                              .c_str()),
              0);
    for (const std::string name : {"theirs", "root", "own"}) {
        std::filesystem::create_symlink(dir / "tmp/chosen/" + name, dir / "tmp/" + name);
        ASSERT_EQ(::lchown((dir / "tmp/" + name).c_str(), name == "root" ? 0 : kNobody, 0), 0);
    }
    EXPECT_EQ(engine.JoinPieces(dir / "tmp/theirs", dir / "p.?", 1), 0);
    EXPECT_EQ(lastText(), "Cannot follow link " + dir / "tmp/theirs" +
                              ": it belongs to another "
                              "user, in a sticky folder that everyone may write to");
    // The folder owner's link there, and the user's own, are followed and stay links.
    EXPECT_EQ(engine.JoinPieces(dir / "tmp/root", dir / "p.?", 1), 3);
    EXPECT_EQ(asNobody([&] { return engine.JoinPieces(dir / "tmp/own", dir / "p.?", 1); }), 3);
    EXPECT_EQ(namesIn(dir / "tmp/chosen"), (std::set<std::string>{"root", "own"}));
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "tmp/own"));
#endif
}

} // namespace
} // namespace carvel
