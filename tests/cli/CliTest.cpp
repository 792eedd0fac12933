#include "../engine/TestFiles.h"
#include "CarvelCli.h"
#include "SizeText.h"

#include <atomic>
#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>
#ifndef _WIN32
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace carvel {
namespace {

using test::everyByte;
using test::exists;
using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(SizeText, NumbersWithUnits) {
    EXPECT_EQ(sizeTextBytes("12"), 12);
    EXPECT_EQ(sizeTextBytes("12B"), 12);
    EXPECT_EQ(sizeTextBytes("700k"), 716800);
    EXPECT_EQ(sizeTextBytes("10 KB"), 10240);
    EXPECT_EQ(sizeTextBytes("1.5M"), 1572864);
    EXPECT_EQ(sizeTextBytes("1.5mb"), 1572864);
    EXPECT_EQ(sizeTextBytes(".5G"), 536870912);
    EXPECT_EQ(sizeTextBytes("4Gb"), 4294967296.0);
    EXPECT_EQ(sizeTextBytes("1e3K"), 1024000);
    EXPECT_EQ(sizeTextBytes("-3"), -3);
    EXPECT_EQ(sizeTextBytes("+1.25"), 1.25);
    for (const char* bad : {"abc", "", "M", "1.2.3", "5X", "1,5M", "0x10", "inf", "nan", "1 2"})
        EXPECT_THROW(sizeTextBytes(bad), std::runtime_error) << bad;
    EXPECT_THROW(sizeTextBytes("1e999"), std::overflow_error);
    EXPECT_THROW(sizeTextBytes("1e308G"), std::overflow_error);
    EXPECT_THROW(sizeTextBytes("-1e308 gb"), std::overflow_error);
}

class CliTest : public ::testing::Test {
protected:
    int run(std::vector<std::string> args) {
        out.str("");
        err.str("");
        return runCarvelCli(args, out, err, fileSystem(), false);
    }

    TempDir dir;
    std::ostringstream out, err;
    std::string source = dir / "photos.zip";
    std::string folder = dir / "Split Files of photos.zip";
};

TEST_F(CliTest, SplitAndJoinReportLikeThePanels) {
    const std::string bytes = everyByte(5000);
    writeFile(source, bytes);
    EXPECT_EQ(run({"split", source, "1.5k"}), kExitDone);
    EXPECT_EQ(out.str(), "File is splited into 4 subfiles in folder " + folder + "\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(readFile(folder + "/photos.zip.4").size(), 5000u - 3 * 1536);

    EXPECT_EQ(run({"join", folder + "/photos.zip.3", dir / "back.zip"}), kExitDone);
    EXPECT_EQ(out.str(), "4 files have been joined with the name of " + dir / "back.zip" + "\n");
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(readFile(dir / "back.zip"), bytes);
    // A pattern works as well as a piece.
    EXPECT_EQ(run({"join", folder + "/photos.zip.?", dir / "again.zip"}), kExitDone);
    EXPECT_EQ(readFile(dir / "again.zip"), bytes);
}

TEST_F(CliTest, ExistingOutputIsReplacedOnlyWithForce) {
    writeFile(source, everyByte(5000));
    ASSERT_EQ(run({"split", source, "2000"}), kExitDone);
    writeFile(folder + "/extra", "x");
    EXPECT_EQ(run({"split", source, "1000"}), kExitFailed);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "Overwrite Folder: Folder with the name of " + folder +
                             " already exist. Do you want to delete it? No (--force answers "
                             "Yes)\nSplit Failed: Could not split file.\n");
    EXPECT_TRUE(exists(folder + "/extra"));
    EXPECT_EQ(run({"--force", "split", source, "1000"}), kExitDone);
    EXPECT_FALSE(exists(folder + "/extra"));

    writeFile(dir / "out", "keep");
    EXPECT_EQ(run({"join", folder + "/photos.zip.1", dir / "out"}), kExitFailed);
    EXPECT_EQ(err.str(), "Overwrite File: File with the name of " + dir / "out" +
                             " already exist. Do you want to overwrite it? No (--force answers "
                             "Yes)\nJoin Failed: Can not join file.\n");
    EXPECT_EQ(readFile(dir / "out"), "keep");
    EXPECT_EQ(run({"join", folder + "/photos.zip.1", dir / "out", "--force"}), kExitDone);
    EXPECT_EQ(readFile(dir / "out").size(), 5000u);
}

TEST_F(CliTest, FailuresGoToStandardErrorWithExitOne) {
    writeFile(source, everyByte(5000));
    EXPECT_EQ(run({"split", source, "abc"}), kExitFailed);
    EXPECT_EQ(err.str(), "System Error: Type mismatch: \"abc\" is not a size\n");
    EXPECT_EQ(run({"split", source, "0"}), kExitFailed);
    EXPECT_EQ(err.str(), "Carvel: Division by zero\nSplit Failed: File can not be splited.\n");
    EXPECT_EQ(run({"split", source, "5000"}), kExitFailed);
    EXPECT_EQ(err.str(), "Carvel: File is already smaller than destination file size, can not be "
                         "split.\n");
    EXPECT_EQ(run({"split", dir / "none", "1k"}), kExitFailed);
    EXPECT_EQ(err.str(), "Error: Source file does not exist!!!\n");
#ifndef _WIN32 // where no file name holds a double quote
    writeFile(dir / "a\"b", "xy");
    EXPECT_EQ(run({"split", dir / "a\"b", "1"}), kExitFailed);
    EXPECT_EQ(err.str().rfind("Error: Cannot split file " + dir / "a\"b" + ": its name holds", 0),
              0u);
#endif
    EXPECT_EQ(run({"join", source, dir / "x"}), kExitFailed);
    EXPECT_EQ(err.str(),
              "Invalid file selected: File: " + source + " is not a valid file to Join\n");

    // Joining onto one of the pieces is refused and changes no piece.
    ASSERT_EQ(run({"split", source, "2000", "--force"}), kExitDone);
    const std::string piece = folder + "/photos.zip.2";
    EXPECT_EQ(run({"join", folder + "/photos.zip.1", piece, "--force"}), kExitFailed);
    EXPECT_EQ(err.str(), "Overwrite File: File with the name of " + piece +
                             " already exist. Do you want to overwrite it? Yes (--force)\n"
                             "Carvel: Cannot write file " +
                             piece + ": it is the piece " + piece +
                             " of the set\nCarvel: Join file failed!\n");
    EXPECT_EQ(readFile(piece), everyByte(5000).substr(2000, 2000));
    EXPECT_EQ(out.str(), "");
}

TEST_F(CliTest, AnInterruptedRunStopsOnTheFailurePathAndLeavesNoTemporaryFile) {
    const std::string bytes = everyByte(5000);
    writeFile(source, bytes);
    ASSERT_EQ(run({"split", source, "1000"}), kExitDone);
    writeFile(dir / "back.zip", "old");
    const std::set<std::string> before = test::namesIn(dir.path());

    std::atomic<bool> interrupted{true};
    const auto runInterrupted = [&](std::vector<std::string> args) {
        out.str("");
        err.str("");
        return runCarvelCli(args, out, err, fileSystem(), false, &interrupted);
    };
    EXPECT_EQ(runInterrupted({"join", folder + "/photos.zip.1", dir / "back.zip", "--force"}),
              kExitFailed);
    EXPECT_EQ(err.str(), "Overwrite File: File with the name of " + dir / "back.zip" +
                             " already exist. Do you want to overwrite it? Yes (--force)\n"
                             "Carvel: Interrupted\nCarvel: Join file failed!\n");
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(readFile(dir / "back.zip"), "old");
    EXPECT_EQ(test::namesIn(dir.path()), before);

    // An interrupted split keeps what it wrote, as a failed one does, but no script.
    EXPECT_EQ(runInterrupted({"split", source, "1000", "--force"}), kExitFailed);
    EXPECT_EQ(err.str().substr(err.str().find('\n') + 1),
              "Carvel: Interrupted\nSplit Failed: File can not be splited.\n");
    EXPECT_FALSE(exists(folder + "/JoinFiles.bat"));
}

TEST_F(CliTest, VerifyTellsAWholeSetFromADamagedOne) {
    writeFile(source, everyByte(5000));
    ASSERT_EQ(run({"split", source, "2000"}), kExitDone);
    EXPECT_EQ(run({"verify", folder + "/photos.zip.2"}), kExitDone);
    EXPECT_EQ(out.str(), "All 3 pieces of the set match their checksums in " + folder +
                             "/photos.zip.sha256.\n");
    EXPECT_EQ(err.str(), "");

    writeFile(folder + "/photos.zip.3", "x");
    EXPECT_EQ(run({"verify", folder + "/photos.zip.1"}), kExitFailed);
    EXPECT_EQ(err.str(), "Piece photos.zip.3 is damaged (its checksum does not match).\n");
    EXPECT_EQ(out.str(), "The set is not whole: 1 of 3 pieces are missing or damaged.\n");
    EXPECT_EQ(run({"join", folder + "/photos.zip.1", dir / "back.zip"}), kExitFailed);
    EXPECT_EQ(err.str(), "Carvel: Piece photos.zip.3 is damaged (its checksum does not match).\n"
                         "Carvel: Join file failed!\n");
    EXPECT_FALSE(exists(dir / "back.zip"));

    ASSERT_EQ(run({"split", source, "2000", "--force", "--no-checksums"}), kExitDone);
    EXPECT_FALSE(exists(folder + "/photos.zip.sha256"));
    EXPECT_EQ(run({"verify", folder + "/photos.zip.1"}), kExitFailed);
    EXPECT_EQ(out.str(),
              "No checksum file " + folder + "/photos.zip.sha256 to check the set against.\n");
    EXPECT_EQ(run({"verify", "nonexist/photos.zip.1"}), kExitFailed);
    EXPECT_EQ(err.str(), "Piece nonexist/photos.zip.1 of the set is missing.\n");
}

TEST_F(CliTest, UsageMistakesAreOneLineAndTheWayToTheHelp) {
    const std::string tryHelp = "Try 'carvel-cli --help' for more information.\n";
    const std::pair<std::vector<std::string>, std::string> mistakes[] = {
        {{}, "missing command: split, join or verify"},
        {{"split", "a"}, "split needs SOURCE and SIZE"},
        {{"join"}, "join needs PIECE and DESTINATION"},
        {{"cut", "a", "b"}, "unknown command 'cut'"},
        {{"join", "a", "b", "c"}, "extra operand 'c'"},
        {{"split", "a", "1", "--quiet"}, "unrecognized option '--quiet'"},
        {{"verify"}, "verify needs PIECE"},
        {{"verify", "a", "b"}, "extra operand 'b'"},
        {{"join", "a", "b", "--no-checksums"}, "--no-checksums goes with split only"},
    };
    for (const auto& [args, line] : mistakes) {
        EXPECT_EQ(run(args), kExitUsage) << line;
        EXPECT_EQ(err.str(), "carvel-cli: " + line + "\n" + tryHelp);
        EXPECT_EQ(out.str(), "");
    }
    EXPECT_EQ(run({"--help"}), kExitDone);
    EXPECT_EQ(out.str(), carvelCliUsage());
    EXPECT_EQ(err.str(), "");
    // The version is the project's, and the option wins over a mistake after it.
    EXPECT_EQ(run({"--version", "--quiet"}), kExitDone);
    EXPECT_EQ(out.str().substr(0, out.str().find('\n')),
              std::string("carvel-cli (Carvel) ") + CARVEL_VERSION);
    EXPECT_NE(out.str().find("\nLicense "), std::string::npos);
    EXPECT_EQ(err.str(), "");
}

// Files named like the options: after "--" every argument is a name, so a file called "-h" is
// split rather than answered with the usage and a success.
TEST_F(CliTest, NamesAfterADoubleDashAreNeverOptions) {
    const std::string bytes = everyByte(2500);
    const std::string help = dir / "-h";
    writeFile(help, bytes);
    struct InFolder {
        std::filesystem::path before = std::filesystem::current_path();
        explicit InFolder(const std::string& folder) { std::filesystem::current_path(folder); }
        ~InFolder() { std::filesystem::current_path(before); }
    } inFolder(dir.path());
    EXPECT_EQ(run({"split", "--", "-h", "1000"}), kExitDone);
    EXPECT_EQ(out.str(), "File is splited into 3 subfiles in folder Split Files of -h\n");
    EXPECT_EQ(run({"join", "--", "Split Files of -h/-h.2", "--force"}), kExitDone);
    EXPECT_EQ(readFile(dir / "--force"), bytes);
    // Options still count before the "--", and "--" itself may be a name after it.
    EXPECT_EQ(run({"--force", "split", "--", "-h", "1000"}), kExitDone);
    EXPECT_EQ(run({"join", "Split Files of -h/-h.1", "--", "--"}), kExitDone);
    EXPECT_EQ(readFile(dir / "--"), bytes);
    EXPECT_EQ(run({"split", "--", "-h"}), kExitUsage);
    EXPECT_EQ(run({"split", "-h", "--", "1000"}), kExitDone);
    EXPECT_EQ(out.str(), carvelCliUsage());
}

#ifndef _WIN32
// Names Windows cannot hold; on Windows, the Windows tests run the program through cmd.
// Blanks around a name are part of it: the file named is the file split.
TEST_F(CliTest, NamesAreTakenExactlyAsGiven) {
    writeFile(dir / "rep.bin", everyByte(2500));
    writeFile(dir / "rep.bin ", everyByte(3500));
    EXPECT_EQ(run({"split", dir / "rep.bin ", "1000"}), kExitDone);
    EXPECT_EQ(run({"split", dir / " rep.bin", "1000"}), kExitFailed);
    EXPECT_EQ(test::namesIn(dir.path()).count("Split Files of rep.bin "), 1u);
    EXPECT_EQ(test::namesIn(dir.path()).size(), 3u);
}

// A name that Windows does not take still splits, and standard error says why the set cannot
// go there; a name Windows takes, whatever its characters, is told nothing.
TEST_F(CliTest, NamesWindowsCannotTakeSplitWithAWarning) {
    for (const auto& [name, why] : std::vector<std::pair<std::string, std::string>>{
             {"a?b", "its name holds \"?\", which Windows does not allow in a name."},
             {"end.", "its name ends in a dot, which Windows does not allow."},
             {"con.tar.gz", "con is the name of a device there."},
             {std::string(115, 'n') + "\xf0\x9f\x98\x80",
              "even at the top of a drive, its "
              "files would have paths of 260 characters, and Windows allows 259."},
             {std::string(116, 'n'), ""},
             {"Wörter ß €.bin", ""},
             {"console", ""}}) {
        writeFile(dir / name, everyByte(2500));
        EXPECT_EQ(run({"split", dir / name, "1000"}), kExitDone) << name;
        EXPECT_EQ(err.str(), why.empty()
                                 ? ""
                                 : "The set of " + name +
                                       " cannot be rejoined or stored on Windows: " + why + "\n");
    }
}

// The built program itself, through a shell: exit codes and the two output streams.
class CliProgramTest : public ::testing::Test {
protected:
    int shell(const std::string& command) {
        const int status =
            std::system(("cd '" + dir.path() + "' && " + command + " >out.txt 2>err.txt").c_str());
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    TempDir dir;
    const std::string cli = CARVEL_CLI_PATH;
};

TEST_F(CliProgramTest, SplitsAndJoinsWithRelativePaths) {
    const std::string bytes = everyByte(3 * 1024 * 1024 + 17);
    writeFile(dir / "data.bin", bytes);
    EXPECT_EQ(shell(cli + " split data.bin 1M"), 0);
    EXPECT_EQ(readFile(dir / "out.txt"),
              "File is splited into 4 subfiles in folder Split Files of data.bin\n");
    EXPECT_EQ(readFile(dir / "err.txt"), "");
    EXPECT_EQ(test::namesIn(dir / "Split Files of data.bin"),
              (std::set<std::string>{"data.bin.1", "data.bin.2", "data.bin.3", "data.bin.4",
                                     "data.bin.sha256", "JoinFiles.sh", "JoinFiles.bat"}));

    EXPECT_EQ(shell(cli + " join 'Split Files of data.bin/data.bin.2' rebuilt.bin"), 0);
    EXPECT_EQ(readFile(dir / "rebuilt.bin"), bytes);
    EXPECT_EQ(shell(cli + " join 'Split Files of data.bin/data.bin.2' rebuilt.bin"), 1);
    EXPECT_EQ(readFile(dir / "out.txt"), "");
    EXPECT_NE(readFile(dir / "err.txt").find("Join Failed: Can not join file."), std::string::npos);
    EXPECT_EQ(shell(cli + " join"), 2);
    EXPECT_EQ(readFile(dir / "err.txt"), "carvel-cli: join needs PIECE and DESTINATION\n"
                                         "Try 'carvel-cli --help' for more information.\n");
    EXPECT_EQ(readFile(dir / "out.txt"), "");
    EXPECT_EQ(shell(cli + " --help"), 0);
    EXPECT_EQ(readFile(dir / "out.txt").rfind("Usage: carvel-cli", 0), 0u);
    EXPECT_EQ(shell(cli + " --version"), 0);
    EXPECT_EQ(readFile(dir / "out.txt"), carvelCliVersion());
    EXPECT_EQ(readFile(dir / "err.txt"), "");

    // A success that cannot be reported is no success.
    const int status = std::system(("cd '" + dir.path() + "' && " + cli +
                                    " join 'Split Files of data.bin/data.bin.1' again.bin"
                                    " >/dev/full 2>err.txt")
                                       .c_str());
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 1) << status;
    EXPECT_EQ(readFile(dir / "err.txt"),
              "carvel-cli: cannot write standard output: No space left on device\n");
    EXPECT_EQ(readFile(dir / "again.bin"), bytes);

    // A write over the file-size limit is an ordinary write error, not a signal that kills the
    // program and leaves the join's work behind.
    const auto before = test::namesIn(dir.path());
    EXPECT_EQ(shell("ulimit -f 1 && " + cli + " join 'Split Files of data.bin/data.bin.1' big"), 1);
    EXPECT_EQ(readFile(dir / "err.txt"),
              "Carvel: Cannot write file big: File too large\nCarvel: Join file failed!\n");
    EXPECT_EQ(test::namesIn(dir.path()), before);
}

// A split killed at once, as a power cut would stop it, leaves nothing that passes for a set.
TEST_F(CliProgramTest, AKilledSplitLeavesNoSetThatJoinsOrChecks) {
    writeFile(dir / "data.bin", everyByte(32 * 1024 * 1024));
    const std::string folder = dir / "Split Files of data.bin";
    const pid_t child = ::fork();
    if (child == 0) {
        ::execl(cli.c_str(), cli.c_str(), "split", (dir / "data.bin").c_str(), "32K", nullptr);
        ::_exit(127);
    }
    while (!exists(folder + "/data.bin.0010"))
        ::usleep(1000);
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
    ASSERT_FALSE(exists(folder + "/JoinFiles.bat")) << "the split ended before it was killed";
    const std::string refusal =
        "Carvel: The split of data.bin into Split Files of data.bin did not finish, so its "
        "pieces are not a whole set (Split Files of data.bin/data.bin.unfinished marks it).\n";
    EXPECT_EQ(shell(cli + " join 'Split Files of data.bin/data.bin.0002' back.bin"), 1);
    EXPECT_EQ(readFile(dir / "err.txt"), refusal + "Carvel: Join file failed!\n");
    EXPECT_FALSE(exists(dir / "back.bin"));
    EXPECT_EQ(shell(cli + " verify 'Split Files of data.bin/data.bin.0001'"), 1);
    EXPECT_EQ(readFile(dir / "err.txt"), refusal.substr(std::string("Carvel: ").size()));
    EXPECT_NE(shell("cd 'Split Files of data.bin' && sha256sum -c data.bin.sha256"), 0);
}

#endif

} // namespace
} // namespace carvel
