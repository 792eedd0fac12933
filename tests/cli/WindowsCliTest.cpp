#include "../engine/TestFiles.h"
#include "WideText.h"

#include <functional>
#include <gtest/gtest.h>

#include <windows.h>
#undef DeleteFile

namespace carvel {
namespace {

using test::everyByte;

// Starts a command line in a folder; with stopWhen, kills it once that holds.
int runIn(const std::string& folder, const std::string& commandLine,
          const std::function<bool()>& stopWhen = {}) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    std::wstring line = toWide(commandLine);
    if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          toWide(folder).c_str(), &startup, &process))
        return -1;
    while (::WaitForSingleObject(process.hProcess, 5) == WAIT_TIMEOUT)
        if (stopWhen && stopWhen())
            ::TerminateProcess(process.hProcess, 9);
    DWORD code = 0;
    ::GetExitCodeProcess(process.hProcess, &code);
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
    return static_cast<int>(code);
}

class WindowsCliTest : public ::testing::Test {
protected:
    test::TempDir dir;
    WindowsFileSystem fs;
    const std::string cli = "\"" + std::string(CARVEL_CLI_PATH) + "\"";
};

// Names outside the ANSI code page reach the pieces through the wide command line; names of
// code page 850 come back through JoinFiles.bat in the command interpreter.
TEST_F(WindowsCliTest, NamesOutsideAsciiReachThePiecesAndTheScript) {
    for (const std::string name : {"Δοκιμή 日本語 🎉.bin", "café Übel.dat"}) {
        test::writeFile(dir / name, everyByte(2500));
        ASSERT_EQ(runIn(dir.path(), cli + " split \"" + name + "\" 1000"), 0) << name;
        const std::string folder = dir / ("Split Files of " + name);
        EXPECT_TRUE(fs.FileExists(folder + "\\" + name + ".3")) << name;
        ASSERT_EQ(runIn(dir.path(), cli + " join \"" + folder + "\\" + name + ".1\" back.bin"), 0);
        EXPECT_EQ(test::readFile(dir / "back.bin"), everyByte(2500));
        fs.DeleteFile(dir / "back.bin");
    }
    const std::string folder = dir / "Split Files of café Übel.dat";
    EXPECT_EQ(runIn(folder, "cmd /c JoinFiles.bat"), 0);
    EXPECT_EQ(test::readFile(folder + "\\café Übel.dat"), everyByte(2500));
}

// A join killed at once, without a chance to clean up, leaves neither its result nor the hidden
// file it was building.
TEST_F(WindowsCliTest, AKilledJoinLeavesNothingBehind) {
    const std::string piece(4 * 1024 * 1024, 'x');
    for (int i = 1; i <= 9; ++i)
        test::writeFile(dir / ("p." + std::to_string(i)), piece);
    const auto before = fs.ListFiles(dir.path()).size();
    bool seen = false;
    runIn(dir.path(), cli + " join p.1 out.bin",
          [&] { return seen = fs.ListFiles(dir.path()).size() > before; });
    EXPECT_TRUE(seen) << "the join ended before its hidden file was seen";
    EXPECT_EQ(fs.ListFiles(dir.path()).size(), before);
}

} // namespace
} // namespace carvel
