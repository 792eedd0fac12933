#include "PieceSet.h"
#include "PosixFileSystem.h"
#include "ScriptedMessageBox.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <cstdlib>
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
    PosixFileSystem fs;
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

} // namespace
} // namespace carvel
