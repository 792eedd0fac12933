#include "PanelChecks.h"
#include "PosixFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "UnfinishedFiles.h"
#include "mdlMain.h"

#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace carvel {
namespace {

using test::everyByte;
using test::exists;
using test::namesIn;
using test::readFile;
using test::TempDir;
using test::writeFile;

constexpr uid_t kNobody = 65534;

// Runs work in a child process as the user nobody and returns its exit status.
int asNobody(const std::function<int()>& work) {
    const pid_t child = ::fork();
    if (child == 0) {
        const int code =
            ::setgroups(0, nullptr) == 0 && ::setgid(kNobody) == 0 && ::setuid(kNobody) == 0
                ? work()
                : 99;
        ::_exit(code);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class SafetyTest : public ::testing::Test {
protected:
    std::string lastText() const {
        return messages.shown().empty() ? std::string() : messages.shown().back().text;
    }
    // A set of three pieces p.1 to p.3.
    void pieces() {
        writeFile(dir / "p.1", "<1>");
        writeFile(dir / "p.2", "<2>");
        writeFile(dir / "p.3", "<3>");
    }

    TempDir dir;
    PosixFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
};

TEST_F(SafetyTest, NamesThatCouldEndTheirQuotesAreRefusedBeforeAnythingIsWritten) {
    for (const std::string& name :
         std::vector<std::string>{"x\" & echo INJECTED> pwned.txt & rem \".txt", "a\rb", "a\nb",
                                  std::string("tab\there"), std::string("del\x7f")}) {
        SCOPED_TRACE(name);
        writeFile(dir / name, everyByte(3000));
        messages.clear();
        EXPECT_EQ(engine.SplitFile(dir / name, 1000), 0);
        EXPECT_EQ(lastText(), "Cannot split file " + dir / name +
                                  ": its name holds a double quote or a control character, which "
                                  "JoinFiles.bat cannot carry. Rename the file first.");
        EXPECT_FALSE(exists(dir / ("Split Files of " + name)));
        const SplitCheck check = CheckSplitInput(dir / name, "1", 0, fs, messages, "Carvel",
                                                 [](const std::string&) { return 1.0; });
        EXPECT_FALSE(check.ok);
        EXPECT_EQ(check.focus, InputField::SplitSource);
        EXPECT_EQ(messages.shown().back().caption, "Error");
        EXPECT_EQ(lastText(), messages.shown()[0].text);
    }
}

// The set rebuilt by the command interpreter itself: names that hold what it treats specially
// run nothing, and a name outside ASCII comes back under its own name.
TEST_F(SafetyTest, HostileNamesRunNothingInACommandInterpreter) {
    if (std::system("command -v wine >/dev/null 2>&1") != 0)
        GTEST_SKIP() << "wine is not installed, so no command interpreter to run JoinFiles.bat";
    const std::vector<std::string> names = {"x & md pwned1 & rem .txt", "x) & md pwned2 & (.txt",
                                            "^& md pwned3 ^&.txt",      "%COMSPEC% & md pwned4",
                                            "!x! & md pwned5 & rem !",  "café.txt",
                                            "Ärger ½ Übel.dat"};
    std::string driver = "@echo off\r\n";
    for (std::size_t i = 0; i < names.size(); ++i) {
        writeFile(dir / names[i], everyByte(2500 + i));
        ASSERT_EQ(engine.SplitFile(dir / names[i], 1000), 3) << names[i] << lastText();
        // Folders of plain names, so that the driver script names nothing hostile itself.
        const std::string folder = "d" + std::to_string(i);
        std::filesystem::rename(dir / ("Split Files of " + names[i]), dir / folder);
        driver += "cd " + folder + "\r\ncall JoinFiles.bat\r\ncd ..\r\n";
    }
    writeFile(dir / "all.bat", driver);
    const int status = std::system(("cd '" + dir.path() +
                                    "' && WINEDEBUG=-all timeout 300 wine cmd /c all.bat "
                                    ">/dev/null 2>&1")
                                       .c_str());
    if (WIFEXITED(status) && WEXITSTATUS(status) == 124)
        GTEST_SKIP() << "wine did not finish in time";
    for (std::size_t i = 0; i < names.size(); ++i) {
        SCOPED_TRACE(names[i]);
        const std::string folder = dir / ("d" + std::to_string(i));
        EXPECT_EQ(namesIn(folder),
                  (std::set<std::string>{names[i] + ".1", names[i] + ".2", names[i] + ".3",
                                         "JoinFiles.bat", names[i]}));
        if (exists(folder + "/" + names[i])) {
            EXPECT_EQ(readFile(folder + "/" + names[i]), everyByte(2500 + i));
        }
    }
    // No folder made by a command hidden in a name, here or in any piece folder.
    std::set<std::string> made = namesIn(dir.path());
    for (std::size_t i = 0; i < names.size(); ++i)
        made.merge(namesIn(dir / ("d" + std::to_string(i))));
    for (const std::string& name : made)
        EXPECT_NE(name.rfind("pwned", 0), 0u) << name;
}

TEST_F(SafetyTest, ASourceInsideItsOwnPieceFolderIsNeverDeleted) {
    const std::string folder = dir / "Split Files of link";
    std::filesystem::create_directory(folder);
    writeFile(folder + "/data", everyByte(3000));
    std::filesystem::create_symlink("Split Files of link/data", dir / "link");
    const std::string refusal = "Cannot split file " + dir / "link" +
                                ": it lies inside the folder " + folder +
                                ", which the split would delete.";
    EXPECT_EQ(engine.SplitFile(dir / "link", 1000), 0);
    EXPECT_EQ(lastText(), refusal);
    // The panel refuses before it asks to delete the folder.
    messages.clear();
    messages.setNextAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(
        CheckSplitInput(dir / "link", "1000", 0, fs, messages, "Carvel", [](const std::string&) {
            return 1.0;
        }).ok);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(lastText(), refusal);
    EXPECT_EQ(readFile(folder + "/data"), everyByte(3000));
}

TEST_F(SafetyTest, AFileThatAppearsDuringAJoinIsKeptAndTheJoinFails) {
    pieces();
    writeFile(dir / "q.1", "other");
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed);
        fs.setUnnamedFiles(unnamed);
        std::filesystem::remove(dir / "out");
        messages.clear();
        // While this join runs, a second join of another set to the same new name ends first.
        ScriptedMessageBox otherMessages;
        mdlMain other(fs, otherMessages, "Carvel");
        int otherCount = -1;
        engine.setProgress([&](FileLength, FileLength) {
            if (otherCount < 0)
                otherCount = other.JoinPieces(dir / "out", dir / "q.?", 1);
        });
        EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 0);
        EXPECT_EQ(otherCount, 1);
        EXPECT_EQ(lastText(), "Cannot create file " + dir / "out" +
                                  ": a file of that name appeared while the join ran; it is kept "
                                  "unchanged");
        EXPECT_EQ(readFile(dir / "out"), "other");
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"p.1", "p.2", "p.3", "q.1", "out"}));
    }
    // A file there when the join began is replaced, as the caller agreed to.
    engine.setProgress(nullptr);
    EXPECT_EQ(engine.JoinPieces(dir / "out", dir / "p.?", 1), 3);
    EXPECT_EQ(readFile(dir / "out"), "<1><2><3>");
}

TEST_F(SafetyTest, ASecondSplitOfTheSameSourceFailsAtOnce) {
    const std::string source = dir / "big";
    writeFile(source, everyByte(40000));
    ScriptedMessageBox otherMessages;
    mdlMain other(fs, otherMessages, "Carvel");
    int otherCount = -1;
    engine.setProgress([&](FileLength, FileLength) {
        if (otherCount < 0)
            otherCount = other.SplitFile(source, 1000);
    });
    EXPECT_EQ(engine.SplitFile(source, 1000), 40);
    EXPECT_EQ(otherCount, 0);
    ASSERT_EQ(otherMessages.shown().size(), 1u);
    EXPECT_EQ(otherMessages.shown()[0].text,
              "Cannot split file " + source + ": another split of it is under way.");
    EXPECT_EQ(namesIn(dir / "Split Files of big").size(), 41u);

    // The panel does not delete the folder of a split under way either.
    const auto held = fs.LockFile(source);
    ASSERT_TRUE(held);
    messages.setNextAnswer(MsgAnswer::Yes);
    EXPECT_FALSE(CheckSplitInput(source, "1", 0, fs, messages, "Carvel", [](const std::string&) {
                     return 1.0;
                 }).ok);
    EXPECT_EQ(lastText(), "Cannot split file " + source + ": another split of it is under way.");
    EXPECT_EQ(namesIn(dir / "Split Files of big").size(), 41u);
}

TEST_F(SafetyTest, ARefusedDeleteLeavesTheOldSetWhole) {
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
    std::system(("chattr -i '" + folder + "/data.3'").c_str());
    EXPECT_EQ(lastText(), "Cannot delete folder " + folder + ": " + folder +
                              "/data.3 is immutable or append-only; nothing was deleted");
    EXPECT_EQ(namesIn(folder), before);

    // A sub-folder that the user may not empty.
    ASSERT_EQ(::chmod(dir.path().c_str(), 0777), 0);
    std::filesystem::create_directory(folder + "/locked");
    writeFile(folder + "/locked/x", "x");
    ASSERT_EQ(::chown(folder.c_str(), kNobody, kNobody), 0);
    for (const std::string& name : before)
        ASSERT_EQ(::chown((folder + "/" + name).c_str(), kNobody, kNobody), 0);
    EXPECT_EQ(asNobody([&] {
                  try {
                      fs.DeleteFolder(folder, false);
                      return 1;
                  } catch (const FileSystemError& error) {
                      return std::string(error.what())
                                         .find("the folder " + folder +
                                               "/locked may not be emptied") == std::string::npos
                                 ? 2
                                 : 0;
                  }
              }),
              0);
    EXPECT_EQ(namesIn(folder).size(), before.size() + 1);
}

// Where the result cannot be made beside the destination, or would not keep its owner, the
// destination is written as a plain create would, and never copied in full to then fail.
TEST_F(SafetyTest, WhereNoFileCanReplaceTheDestinationItIsWrittenInPlace) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "needs root to act as another user";
    pieces();
    ASSERT_EQ(::chmod(dir.path().c_str(), 0755), 0);
    // Nobody's own file, in a folder nobody may not write.
    writeFile(dir / "mine", "old");
    ASSERT_EQ(::chown((dir / "mine").c_str(), kNobody, kNobody), 0);
    // Root's writable file in a sticky folder, as in /tmp.
    std::filesystem::create_directory(dir / "sticky");
    ASSERT_EQ(::chmod((dir / "sticky").c_str(), 01777), 0);
    writeFile(dir / "sticky/theirs", "old");
    ASSERT_EQ(::chmod((dir / "sticky/theirs").c_str(), 0666), 0);
    for (const std::string& destination : {dir / "mine", dir / "sticky/theirs"}) {
        SCOPED_TRACE(destination);
        struct stat before {};
        ASSERT_EQ(::stat(destination.c_str(), &before), 0);
        EXPECT_EQ(asNobody([&] { return engine.JoinPieces(destination, dir / "p.?", 1); }), 3);
        EXPECT_EQ(readFile(destination), "<1><2><3>");
        struct stat after {};
        ASSERT_EQ(::stat(destination.c_str(), &after), 0);
        EXPECT_EQ(after.st_uid, before.st_uid);
        EXPECT_EQ(after.st_ino, before.st_ino);
    }
    EXPECT_EQ(namesIn(dir / "sticky"), std::set<std::string>{"theirs"});
}

TEST_F(SafetyTest, AJoinUnderWayLeavesNothingNamedBehind) {
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
}

TEST_F(SafetyTest, WhatIsNotARegularFileOrNameIsSaidBeforeAnyCopy) {
    ASSERT_EQ(::mkfifo((dir / "fifo").c_str(), 0644), 0);
    for (const std::string& source :
         {dir / "fifo", std::string("/dev/zero"), std::string("/proc/self/status")}) {
        messages.clear();
        EXPECT_FALSE(
            CheckSplitInput(source, "1", 0, fs, messages, "Carvel", [](const std::string&) {
                return 1.0;
            }).ok);
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
}

} // namespace
} // namespace carvel
