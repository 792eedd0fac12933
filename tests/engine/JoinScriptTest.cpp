#include "JoinScript.h"

#include <gtest/gtest.h>

namespace carvel {
namespace {

std::string script(const std::string& name, int count, int width) {
    std::string text = JoinScript::head(name);
    for (int i = 1; i <= count; ++i)
        text += JoinScript::pieceLine(name, i, width);
    return text + JoinScript::tail(name);
}

TEST(JoinScript, ThreePiecesByteForByte) {
    EXPECT_EQ(script("report.pdf", 3, 1),
              "@Echo off\r\n"
              "Del \"$$report.pdf$$\" > nul \r\n"
              "Copy /b \"report.pdf.1\" \"$$report.pdf$$\" > nul \r\n"
              "Copy /b \"$$report.pdf$$\"+\"report.pdf.2\" \"$$report.pdf$$\" > nul \r\n"
              "Copy /b \"$$report.pdf$$\"+\"report.pdf.3\" \"$$report.pdf$$\" > nul \r\n"
              "Copy /b /-y \"$$report.pdf$$\"  \"report.pdf\"\r\n"
              "Del \"$$report.pdf$$\" > nul ");
}

TEST(JoinScript, WideNumbersAndBlanksInNames) {
    const std::string text = script("my file", 12, 2);
    EXPECT_NE(text.find("Copy /b \"my file.01\" \"$$my file$$\" > nul \r\n"), std::string::npos);
    EXPECT_NE(text.find("+\"my file.12\" "), std::string::npos);
    std::size_t lines = 0;
    for (std::size_t at = 0; (at = text.find("\r\n", at)) != std::string::npos; at += 2)
        ++lines;
    EXPECT_EQ(lines + 1, 16u); // N + 4 lines, the last without a line end
    EXPECT_EQ(text.find('\n', 0), text.find("\r\n", 0) + 1); // no bare line feed
}

TEST(JoinScript, PercentSignsAreDoubled) {
    EXPECT_EQ(script("100%.txt", 2, 1),
              "@Echo off\r\n"
              "Del \"$$100%%.txt$$\" > nul \r\n"
              "Copy /b \"100%%.txt.1\" \"$$100%%.txt$$\" > nul \r\n"
              "Copy /b \"$$100%%.txt$$\"+\"100%%.txt.2\" \"$$100%%.txt$$\" > nul \r\n"
              "Copy /b /-y \"$$100%%.txt$$\"  \"100%%.txt\"\r\n"
              "Del \"$$100%%.txt$$\" > nul ");
}

// Names that code page 850 carries are written in it; any other is taken from piece 1 in the
// folder when the script runs, and the script holds only ASCII.
TEST(JoinScript, NamesInAndBeyondCodePage850) {
    EXPECT_EQ(JoinScript::head("café ½"), "@Echo off\r\nDel \"$$caf\x82 \xab$$\" > nul \r\n");
    const std::string text = script("Wörter ß €(x)&😀", 2, 1);
    EXPECT_EQ(text.substr(0, text.find("Copy /b \"$$")),
              "@Echo off\r\nSetlocal\r\nSet \"F=\"\r\nFor %%A in (W?rter?????x????.1) do Set "
              "\"F=%%~nA\"\r\nIf not defined F (Echo Piece 1 of the set is not in this folder.& "
              "Exit /b 1)\r\nDel \"$$%F%$$\" > nul \r\nCopy /b \"%F%.1\" \"$$%F%$$\" > nul \r\n");
}

} // namespace
} // namespace carvel
