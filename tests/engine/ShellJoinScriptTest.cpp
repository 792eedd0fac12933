#include "PosixFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <sys/wait.h>

namespace carvel {
namespace {

using test::everyByte;
using test::namesIn;
using test::readFile;
using test::writeFile;

const std::vector<std::string> kShells = {"dash", "bash", "busybox sh"};

std::string shellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

// JoinFiles.sh as a receiver runs it: "sh JoinFiles.sh" in the piece folder, under each shell.
class ShellJoinScriptTest : public ::testing::Test {
protected:
    void SetUp() override {
        for (const std::string& shell : kShells)
            if (std::system(
                    ("command -v " + shell.substr(0, shell.find(' ')) + " >/dev/null").c_str()) !=
                0)
                GTEST_SKIP() << shell << " is not installed (scripts/install-deps.sh installs it)";
    }
    // Splits name into three pieces; the piece folder.
    std::string split(const std::string& name, std::size_t length) {
        writeFile(dir / name, everyByte(length));
        EXPECT_EQ(engine.SplitFile(dir / name, 1000), 3) << name;
        return dir / ("Split Files of " + name);
    }
    // The script's exit status, with what it printed in out; before goes ahead of the shell.
    int run(const std::string& shell, const std::string& folder, const std::string& before = "",
            const std::string& input = "</dev/null") {
        const int status =
            std::system(("cd " + shellQuoted(folder) + " && " + before + " " + shell +
                         " JoinFiles.sh " + input + " >" + shellQuoted(dir / "out") + " 2>&1")
                            .c_str());
        out = readFile(dir / "out");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    test::TempDir dir;
    PosixFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
    std::string out;
};

TEST_F(ShellJoinScriptTest, HostileNamesRunNothingAndComeBackByteForByte) {
    const std::vector<std::string> names = {"$(touch PWN1) `touch PWN2`.bin",
                                            "it's; touch PWN3 & touch PWN4 | x.bin",
                                            "-n back\\slash *?[a] $HOME.bin", "  blanks  "};
    for (std::size_t i = 0; i < names.size(); ++i) {
        const std::string& name = names[i];
        const std::string folder = split(name, 2500 + i);
        for (const std::string& shell : kShells) {
            std::filesystem::remove(folder + "/" + name);
            EXPECT_EQ(run(shell, folder), 0) << shell << ": " << out;
            EXPECT_EQ(out, "All 3 pieces match their checksums in " + name +
                               ".sha256.\n3 files have been joined with the name of " + name +
                               "\n");
            EXPECT_EQ(readFile(folder + "/" + name), everyByte(2500 + i)) << shell << ": " << name;
            EXPECT_EQ(namesIn(folder), (std::set<std::string>{name + ".1", name + ".2", name + ".3",
                                                              name + ".sha256", "JoinFiles.sh",
                                                              "JoinFiles.bat", name}));
        }
    }
    for (const auto& entry : std::filesystem::recursive_directory_iterator(dir.path()))
        EXPECT_NE(entry.path().filename().string().rfind("PWN", 0), 0u) << entry.path();
}

TEST_F(ShellJoinScriptTest, EveryFailureIsToldAndLeavesTheFolderAsItWas) {
    const std::string name = "it's $(x).bin";
    const std::string folder = split(name, 2500);
    const std::string piece = folder + "/" + name + ".";
    const auto before = namesIn(folder);
    for (const std::string& shell : kShells) {
        SCOPED_TRACE(shell);
        std::filesystem::rename(piece + "2", dir / "kept");
        EXPECT_EQ(run(shell, folder), 1);
        EXPECT_EQ(out, "Piece " + name + ".2 of the set is missing.\n");
        std::filesystem::rename(dir / "kept", piece + "2");
        writeFile(piece + "3", "damaged");
        EXPECT_EQ(run(shell, folder), 1);
        EXPECT_EQ(out, "Piece " + name + ".3 is damaged (its checksum does not match).\n");
        writeFile(piece + "3", everyByte(2500).substr(2000));
        EXPECT_EQ(namesIn(folder), before);

        // An existing file is replaced on an answer only; no answer keeps it.
        writeFile(folder + "/" + name, "old");
        EXPECT_EQ(run(shell, folder), 1);
        EXPECT_EQ(readFile(folder + "/" + name), "old");
        EXPECT_NE(out.find(name + " was kept; nothing was joined."), std::string::npos);
        EXPECT_EQ(run(shell, folder, "", "<<EOF\ny\nEOF\n"), 0) << out;
        EXPECT_EQ(readFile(folder + "/" + name), everyByte(2500));
        std::filesystem::remove(folder + "/" + name);

        // Interrupted in the middle of the join, as Ctrl-C does: the signal comes while the
        // first piece is appended.
        std::filesystem::create_directory(dir / "bin");
        writeFile(dir / "bin/cat", "#!/bin/sh\n/bin/cat \"$@\"; kill -INT $PPID\n");
        std::filesystem::permissions(dir / "bin/cat", std::filesystem::perms::owner_all);
        EXPECT_EQ(run(shell, folder, "PATH=" + shellQuoted(dir / "bin") + ":$PATH"), 130) << out;
        EXPECT_EQ(namesIn(folder), before);
        std::filesystem::remove_all(dir / "bin");
    }
    // Without a tool to check with, or a set split without checksums, the pieces are joined
    // unchecked, and the script says so.
    std::filesystem::create_directory(dir / "bin");
    for (const char* tool : {"cat", "mv", "rm", "grep"})
        std::filesystem::create_symlink(std::string("/bin/") + tool, dir / "bin/" + tool);
    EXPECT_EQ(run("/bin/dash", folder, "PATH=" + shellQuoted(dir / "bin")), 0) << out;
    EXPECT_EQ(out.rfind("Neither sha256sum nor shasum is installed: the pieces are joined "
                        "without a check against " +
                            name + ".sha256.\n",
                        0),
              0u);
    engine.setChecksums(false);
    const std::string plain = split("plain", 2500);
    EXPECT_EQ(run("dash", plain), 0);
    EXPECT_EQ(out, "3 files have been joined with the name of plain\n");
    EXPECT_EQ(readFile(plain + "/plain"), everyByte(2500));
}

} // namespace
} // namespace carvel
