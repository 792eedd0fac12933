#include "WindowsServices.h"
#include "../engine/TestFiles.h"
#include "PeFileVersion.h"
#include "WideText.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace carvel {
namespace {

TEST(WindowsServices, FindFirstFileAndLongPathNames) {
    test::TempDir dir;
    for (const char* name : {"b.chm", "a.chm", "Notes.txt"})
        test::writeFile(dir / name, "x");
    WindowsFileFinder finder;
    const FindResult exact = finder.findFirstFile(dir / "notes.txt");
    ASSERT_EQ(exact.status, FindStatus::Found);
    EXPECT_EQ(exact.fileName, "Notes.txt"); // as the file system spells it
    finder.findClose(exact.handle);
    EXPECT_EQ(finder.findFirstFile(dir / "*.chm").fileName.size(), 5u);
    EXPECT_EQ(finder.findFirstFile(dir / "*.htm").status, FindStatus::NotFound);
    EXPECT_EQ(finder.findFirstFile(dir / "missing\\a.chm").status, FindStatus::NotFound);
    EXPECT_EQ(finder.findFirstFile(std::string("a\0b", 3)).status, FindStatus::BadName);

    WindowsLongPathName longPaths;
    const std::string file = dir / "Notes.txt";
    EXPECT_EQ(longPaths.getLongPathName(file, 4096), file);
    EXPECT_FALSE(longPaths.getLongPathName(file, static_cast<std::uint32_t>(file.size())));
    EXPECT_FALSE(longPaths.getLongPathName(file + ".gone", 4096));
}

TEST(WindowsServices, VersionsAndEnvironment) {
    const OsVersionInfo os = WindowsOsVersion().getVersionEx(148);
    EXPECT_EQ(os.platformId, VER_PLATFORM_WIN32_NT);
    EXPECT_GE(os.majorVersion, 5u);

    // The system's reader and the program's own agree on a system library.
    wchar_t system[MAX_PATH];
    ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
    const std::string library = toUtf8(system) + "\\kernel32.dll";
    WindowsFileVersion versions;
    const std::uint32_t size = versions.getFileVersionInfoSize(library);
    ASSERT_GT(size, 0u);
    const auto fixed = versions.queryFixedFileInfo(library, size);
    const auto own = PeFileVersion().queryFixedFileInfo(library, size);
    ASSERT_TRUE(fixed && own);
    EXPECT_EQ(fixed->fileVersionMS, own->fileVersionMS);
    EXPECT_EQ(fixed->fileVersionLS, own->fileVersionLS);
    EXPECT_EQ(versions.getFileVersionInfoSize(library + ".gone"), 0u);

    ::SetEnvironmentVariableW(L"CARVEL_TEST_FOLDER", L"C:\\help\\Δ");
    ::SetEnvironmentVariableW(L"CARVEL_TEST_UNSET", nullptr);
    WindowsEnvironment environment;
    EXPECT_EQ(environment.expandEnvironmentStrings("%CARVEL_TEST_FOLDER%\\Carvel.chm", 2048),
              "C:\\help\\Δ\\Carvel.chm");
    EXPECT_EQ(environment.expandEnvironmentStrings("%CARVEL_TEST_UNSET%\\x 100%", 2048),
              "%CARVEL_TEST_UNSET%\\x 100%");
    EXPECT_EQ(environment.expandEnvironmentStrings("%CARVEL_TEST_FOLDER%", 5), "C:\\h");
}

} // namespace
} // namespace carvel
