#include "PieceSet.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace carvel {
namespace {

using test::everyByte;
using test::readFile;
using test::TempDir;
using test::writeFile;

// Single quotes for the shell around a path.
std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

bool haveCommand(const std::string& name) {
    return std::system(("command -v " + name + " >/dev/null 2>&1").c_str()) == 0;
}

class PeersTest : public ::testing::Test {
protected:
    TempDir dir;
    NativeFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
};

TEST_F(PeersTest, PiecesMatchGnuSplit) {
    if (!haveCommand("split"))
        GTEST_SKIP() << "GNU split is not installed";
    const std::string bytes = everyByte(123457);
    writeFile(dir / "src.dat", bytes);
    ASSERT_EQ(engine.SplitFile(dir / "src.dat", 1000), 124);
    std::filesystem::create_directory(dir / "gnu");
    ASSERT_EQ(std::system(("split -b 1000 --numeric-suffixes=1 -a 3 " +
                           shellQuoted(dir / "src.dat") + " " + shellQuoted(dir / "gnu/src.dat."))
                              .c_str()),
              0);
    EXPECT_EQ(test::namesIn(dir / "gnu").size(), 124u);
    for (int i = 1; i <= 124; ++i) {
        const std::string name = "src.dat." + PieceSet::numberText(i, 3);
        ASSERT_EQ(readFile(dir / ("Split Files of src.dat/" + name)),
                  readFile(dir / ("gnu/" + name)))
            << name;
    }
    // A set made elsewhere, without script or checksums, joins as it always has.
    EXPECT_EQ(engine.JoinPieces(dir / "joined", dir / "gnu/src.dat.???", 1), 124);
    EXPECT_EQ(readFile(dir / "joined"), bytes);
}

// The checksum file is the one sha256sum writes for the same files, and sha256sum checks it:
// the pieces a receiver has, then everything once JoinFiles.bat has rebuilt the file.
TEST_F(PeersTest, ChecksumFileIsWhatSha256sumWritesAndChecks) {
    if (!haveCommand("sha256sum"))
        GTEST_SKIP() << "sha256sum is not installed";
    for (const std::string name : {"two words.bin", "back\\slash.bin"}) {
        SCOPED_TRACE(name);
        writeFile(dir / name, everyByte(2500));
        ASSERT_EQ(engine.SplitFile(dir / name, 1000), 3);
        const std::string folder = shellQuoted(dir / ("Split Files of " + name));
        const std::string sums = shellQuoted(name + ".sha256");
        auto run = [&](const std::string& command) {
            return std::system(("cd " + folder + " && " + command + " >/dev/null 2>&1").c_str());
        };
        std::string files;
        for (const char* number : {".1", ".2", ".3", ""})
            files += " " + shellQuoted(name + number);
        std::filesystem::copy_file(dir / name, dir / ("Split Files of " + name + "/" + name));
        ASSERT_EQ(std::system(
                      ("cd " + folder + " && sha256sum" + files + " >../expected.sha256").c_str()),
                  0);
        EXPECT_EQ(readFile(dir / ("Split Files of " + name + "/" + name + ".sha256")),
                  readFile(dir / "expected.sha256"));
        EXPECT_EQ(run("sha256sum -c " + sums), 0);
        std::filesystem::remove(dir / ("Split Files of " + name + "/" + name));
        EXPECT_EQ(run("sha256sum -c --ignore-missing " + sums), 0);
        EXPECT_EQ(run("rm " + shellQuoted(name + ".2") + " && sha256sum -c " + sums), 256);
    }
}

// The script is meant for a command interpreter without Carvel: run it in one.
TEST_F(PeersTest, JoinScriptRebuildsTheSourceInACommandInterpreter) {
    if (!haveCommand("wine"))
        GTEST_SKIP() << "wine is not installed, so no command interpreter to run JoinFiles.bat";
    for (const char* nameText : {"100%.txt", "my file.tar.gz"}) {
        const std::string name = nameText;
        SCOPED_TRACE(name);
        const std::string bytes = everyByte(25000);
        writeFile(dir / name, bytes);
        const int count = engine.SplitFile(dir / name, 2000);
        ASSERT_EQ(count, 13);
        const std::string folder = dir / ("Split Files of " + name);
        const int status = std::system(("cd " + shellQuoted(folder) +
                                        " && WINEDEBUG=-all timeout 300 wine cmd /c JoinFiles.bat "
                                        ">/dev/null 2>&1")
                                           .c_str());
        if (WIFEXITED(status) && WEXITSTATUS(status) == 124)
            GTEST_SKIP() << "wine did not finish in time";
        ASSERT_TRUE(test::exists(folder + "/" + name)) << "wine status " << status;
        EXPECT_EQ(readFile(folder + "/" + name), bytes);
        EXPECT_FALSE(test::exists(folder + "/$$" + name + "$$"));
    }
}

// JoinFiles.sh run as "sh JoinFiles.sh" under each shell, with names that would run commands.
TEST_F(PeersTest, JoinShellScriptRebuildsHostileNamesAndTellsEveryFailure) {
    if (!haveCommand("dash") || !haveCommand("busybox"))
        GTEST_SKIP() << "dash or busybox is not installed (scripts/install-deps.sh does it)";
    std::string out, name, shell, set = "set";
    // Run in a folder of a plain name, so that only the script meets the hostile one.
    const auto run = [&](const std::string& before) {
        const int status = std::system(("cd " + shellQuoted(dir / set) + " && exec </dev/null && " +
                                        before + " " + shell + " JoinFiles.sh >../out 2>&1")
                                           .c_str());
        out = readFile(dir / "out");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    };
    // Each piece appended rings Ctrl-C, as a user would in the middle of the join.
    writeFile(dir / "cat", "#!/bin/sh\n/bin/cat \"$@\"; kill -INT $PPID\n");
    ::chmod((dir / "cat").c_str(), 0700);
    for (const char* hostile : {"$(touch PWN1) `touch PWN2`", "it's; touch PWN3 & x | y",
                                "-n back\\slash *?[a] $HOME", "  blanks  "}) {
        name = hostile;
        set += "+";
        const std::string piece = dir / (set + "/" + name);
        writeFile(dir / name, everyByte(2500));
        ASSERT_EQ(engine.SplitFile(dir / name, 1000), 3);
        std::filesystem::rename(dir / ("Split Files of " + name), dir / set);
        for (const char* each : {"dash", "bash", "busybox sh"}) {
            shell = each;
            EXPECT_EQ(run(""), 0) << shell << ": " << out;
            EXPECT_EQ(out, "All 3 pieces match their checksums in " + name + ".sha256.\n3 files " +
                               "have been joined with the name of " + name + "\n");
            EXPECT_TRUE(readFile(piece) == everyByte(2500)) << shell << ": " << name;
            writeFile(piece, "old");
            EXPECT_EQ(run(""), 1) << "without an answer, nothing is replaced";
            EXPECT_EQ(readFile(piece), "old");
            EXPECT_EQ(run("echo y |"), 0) << out;
            EXPECT_TRUE(readFile(piece) == everyByte(2500));
            std::filesystem::remove(piece);
            EXPECT_EQ(run("PATH=..:$PATH"), 130) << out;
            std::filesystem::rename(piece + ".2", dir / "kept");
            EXPECT_EQ(run(""), 1);
            EXPECT_EQ(out, "Piece " + name + ".2 of the set is missing.\n");
            std::filesystem::rename(dir / "kept", piece + ".2");
            writeFile(piece + ".3", "damaged");
            EXPECT_EQ(run(""), 1);
            EXPECT_EQ(out, "Piece " + name + ".3 is damaged (its checksum does not match).\n");
            writeFile(piece + ".3", everyByte(2500).substr(2000));
            EXPECT_EQ(test::namesIn(dir / set).size(), 6u);
        }
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string().rfind("PWN", 0), 0u) << entry.path();
    // Without a tool to check with, the pieces are joined unchecked, and the script says so.
    std::filesystem::create_directory(dir / "bin");
    for (const std::string tool : {"cat", "mv", "rm", "grep"})
        std::filesystem::create_symlink("/bin/" + tool, dir / ("bin/" + tool));
    shell = "/bin/dash";
    EXPECT_EQ(run("PATH=../bin"), 0) << out;
    EXPECT_EQ(out.rfind("Neither sha256sum nor shasum is installed", 0), 0u) << out;
}

} // namespace
} // namespace carvel
