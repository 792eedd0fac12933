#include "ChecksumFile.h"
#include "JoinScript.h"
#include "JoinScriptReader.h"
#include "ScriptedMessageBox.h"
#include "SetCheck.h"
#include "TestFiles.h"
#include "mdlMain.h"

#include <cstdio>
#include <gtest/gtest.h>

namespace carvel {
namespace {

using test::everyByte;
using test::exists;
using test::namesIn;
using test::readFile;
using test::TempDir;
using test::writeFile;

TEST(SetFileParsers, ReadBackWhatIsWrittenAndNothingElse) {
    const std::string name = "a\\b\nc\rd e";
    const std::string digest(64, 'a');
    const std::string text = ChecksumFile::line(digest, name) + ChecksumFile::line(digest, "f");
    EXPECT_EQ(text, "\\" + digest + "  a\\\\b\\nc\\rd e\n" + digest + "  f\n");
    const auto entries = ChecksumFile::parse(text);
    ASSERT_TRUE(entries);
    ASSERT_EQ(entries->size(), 2u);
    EXPECT_EQ((*entries)[0].name, name);
    EXPECT_EQ((*entries)[1].digest, digest);
    for (const std::string& bad :
         {std::string(), digest + "\tf\n", std::string("# only\n"), "\\" + digest + "  a\\x\n",
          std::string(63, 'a') + "  f\n", std::string(64, 'g') + "  f\n", digest + "  ./\n",
          "SHA256 (f) = " + digest.substr(1) + "\n", "SHA256 (f)= " + digest + "\n"})
        EXPECT_FALSE(ChecksumFile::parse(bad)) << bad;

    std::string script = JoinScript::head("x%.y");
    for (int i = 1; i <= 12; ++i)
        script += JoinScript::pieceLine("x%.y", i, 2);
    script += JoinScript::tail("x%.y");
    const auto set = JoinScriptReader::parse(script);
    ASSERT_TRUE(set);
    EXPECT_EQ(set->fileName, "x%.y");
    EXPECT_EQ(set->count, 12);
    for (std::size_t cut : {std::size_t{0}, std::size_t{30}, script.size() - 1})
        EXPECT_FALSE(JoinScriptReader::parse(script.substr(0, cut))) << cut;
    EXPECT_FALSE(JoinScriptReader::parse(script + "\r\n"));
}

class WholeSetTest : public ::testing::Test {
protected:
    // A set of five 100-byte pieces, and a destination that a failed join must leave alone.
    void SetUp() override {
        writeFile(dir / "src", bytes);
        ASSERT_EQ(engine.SplitFile(dir / "src", 100), 5);
        writeFile(dir / "out", "precious");
    }
    int join() { return engine.JoinPieces(dir / "out", folder + "/src.?", 1); }
    void expectRefused(const std::string& text) {
        EXPECT_EQ(join(), 0);
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text, text);
        EXPECT_EQ(readFile(dir / "out"), "precious");
        EXPECT_EQ(namesIn(dir.path()), (std::set<std::string>{"src", "out", "Split Files of src"}));
        messages.clear();
    }

    TempDir dir;
    NativeFileSystem fs;
    ScriptedMessageBox messages;
    mdlMain engine{fs, messages, "Carvel"};
    const std::string bytes = everyByte(500);
    std::string folder = dir / "Split Files of src";
};

TEST_F(WholeSetTest, MissingLastPieceIsRefusedByTheCountOfEitherFile) {
    std::remove((folder + "/src.5").c_str());
    expectRefused("Piece src.5 of the set is missing.");
    // A checksum file of another set is refused, naming it; the script alone knows the count.
    writeFile(folder + "/src.sha256", ChecksumFile::line(std::string(64, '0'), "other.1") +
                                          ChecksumFile::line(std::string(64, '0'), "other"));
    expectRefused("Cannot use the checksum file " + folder +
                  "/src.sha256: it names other.1, which is no piece of the set of src. Move it "
                  "away to join the set without it.");
    std::remove((folder + "/src.sha256").c_str());
    expectRefused("Piece src.5 of the set is missing.");
    // With neither file to tell the count, what is there joins as it always has.
    std::remove((folder + "/JoinFiles.bat").c_str());
    EXPECT_EQ(join(), 4);
    EXPECT_EQ(readFile(dir / "out"), bytes.substr(0, 400));
}

// The script counts sets of every name: in code page 850, beyond it, and not UTF-8 at all.
TEST_F(WholeSetTest, ScriptsOfNamesBeyondAsciiCountTheirSet) {
#ifdef _WIN32
    GTEST_SKIP() << "a name that is not UTF-8 is a POSIX name only";
#else
    for (const std::string name : {"café.txt", "Ελληνικά €.bin", "raw\xe9.bin"}) {
        writeFile(dir / name, bytes);
        ASSERT_EQ(engine.SplitFile(dir / name, 100), 5);
        const std::string set = dir / ("Split Files of " + name + "/" + name + ".");
        std::remove((set + "sha256").c_str());
        std::remove((set + "5").c_str());
        EXPECT_EQ(engine.JoinPieces(dir / "out", set + "?", 1), 0);
        ASSERT_FALSE(messages.shown().empty());
        EXPECT_EQ(messages.shown().back().text, "Piece " + name + ".5 of the set is missing.");
    }
#endif
}

TEST_F(WholeSetTest, EveryFormOfTheChecksumFileIsReadAndNoUnusableOneIsPassedOver) {
    const std::string sums = readFile(folder + "/src.sha256");
    std::string piece = readFile(folder + "/src.2");
    piece[7] ^= 1;
    writeFile(folder + "/src.2", piece);
    // Each line rewritten as sha256sum and shasum also write them.
    const auto each = [&](const std::string& prefix, auto form, const std::string& end) {
        std::string text = prefix;
        for (std::size_t at = 0; at < sums.size(); at = sums.find('\n', at) + 1)
            text += form(sums.substr(at, 64), sums.substr(at + 66, sums.find('\n', at) - at - 66));
        return text.substr(0, text.size() - 1) + end;
    };
    const auto gnu = [](const std::string& sep) {
        return [sep](const std::string& d, const std::string& n) { return d + sep + n + "\n"; };
    };
    const auto tagged = [](const std::string& d, const std::string& n) {
        return "SHA256 (" + n + ") = " + d + "\n";
    };
    const auto escaped = [](const std::string& d, const std::string& n) {
        return "\\" + d + " *./" + n + "\r\n";
    };
    for (const std::string& text :
         {each("\xEF\xBB\xBF# made by hand\n\n", gnu("  "), ""), each("", gnu(" *"), "\r\n"),
          each("", gnu(" "), "\n"), each("", tagged, ""), each("", escaped, "\n"),
          each("", gnu("  ./"), "")}) {
        writeFile(folder + "/src.sha256", text);
        expectRefused("Piece src.2 is damaged (its checksum does not match).");
    }
    const std::string unusable = "Cannot use the checksum file " + folder + "/src.sha256: ";
    const std::string away = ". Move it away to join the set without it.";
    writeFile(folder + "/src.sha256", sums + "garbage\n");
    expectRefused(unusable + "line 7 is not a SHA-256 checksum line" + away);
    writeFile(folder + "/src.sha256", "# nothing\n");
    expectRefused(unusable + "it holds no checksum" + away);
    writeFile(folder + "/src.sha256",
              sums.substr(0, sums.find("src.3") - 66) + sums.substr(sums.find("src.3") + 6));
    expectRefused(unusable + "it has no checksum for piece 3" + away);
    EXPECT_THROW(SetCheck::run(fs, folder + "/src.?", {}), FileSystemError);
    writeFile(folder + "/src.sha256", sums + std::string(64 * 1024 * 1024, '#'));
    expectRefused("Cannot use the file " + folder +
                  "/src.sha256: it is too long for a file of a set");
}

TEST_F(WholeSetTest, DamagedPiecesAreAllNamedAndNothingIsJoined) {
    std::string piece = readFile(folder + "/src.2");
    piece[50] ^= 1;
    writeFile(folder + "/src.2", piece);
    writeFile(folder + "/src.4", readFile(folder + "/src.4").substr(0, 99));
    writeFile(folder + "/src.5", readFile(folder + "/src.5") + "x");
    expectRefused("Piece src.2 is damaged (its checksum does not match).\n"
                  "Piece src.4 is damaged (its checksum does not match).\n"
                  "Piece src.5 is damaged (its checksum does not match).");

    std::remove((folder + "/src.3").c_str());
    const SetCheck check = SetCheck::run(fs, folder + "/src.?", {});
    EXPECT_TRUE(check.hasChecksums);
    EXPECT_EQ(check.problems,
              (std::vector<std::string>{"Piece src.2 is damaged (its checksum does not match).",
                                        "Piece src.3 of the set is missing.",
                                        "Piece src.4 is damaged (its checksum does not match).",
                                        "Piece src.5 is damaged (its checksum does not match)."}));
}

TEST_F(WholeSetTest, PiecesMatchingForgedLinesStillMustMakeTheFileOfTheWholeLine) {
    const std::string two = readFile(folder + "/src.2");
    writeFile(folder + "/src.2", readFile(folder + "/src.3"));
    writeFile(folder + "/src.3", two);
    std::string sums = readFile(folder + "/src.sha256");
    for (const auto& [from, to] :
         {std::pair{"src.2", "src.x"}, {"src.3", "src.2"}, {"src.x", "src.3"}})
        sums.replace(sums.find(from), 5, to);
    writeFile(folder + "/src.sha256", sums);
    const std::string wrong =
        "The pieces do not make the file that " + folder + "/src.sha256 gives the checksum of.";
    expectRefused(wrong);
    // The check without a join says the same, rather than calling the set whole.
    const SetCheck check = SetCheck::run(fs, folder + "/src.?", {});
    EXPECT_TRUE(check.wrongWhole);
    EXPECT_EQ(check.problems, std::vector<std::string>{wrong});
}

TEST_F(WholeSetTest, CheckedSetJoinsWholeAndVerifies) {
    std::int64_t last = 0;
    engine.setProgress([&](std::int64_t done, std::int64_t total) {
        EXPECT_GE(done, last);
        last = done;
        EXPECT_EQ(total, 500);
    });
    EXPECT_EQ(join(), 5);
    EXPECT_EQ(readFile(dir / "out"), bytes);
    EXPECT_EQ(last, 500);
    EXPECT_TRUE(SetCheck::run(fs, folder + "/src.?", {}).problems.empty());
    std::remove((folder + "/src.sha256").c_str());
    EXPECT_FALSE(SetCheck::run(fs, folder + "/src.?", {}).hasChecksums);
}

} // namespace
} // namespace carvel
