#include "../engine/TestFiles.h"
#include "ArtworkIds.h"
#include "HTMLHelp.h"
#include "ProgramFolder.h"
#include "ScriptedMessageBox.h"
#include "WideText.h"
#include "Win32MessageBox.h"
#include "Win32Registry.h"
#include "Win32ShellExecute.h"
#include "WindowsHelpServices.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#include <windows.h>

namespace carvel {
namespace {

TEST(Win32MessageBox, StylesAndAnswers) {
    void* window = reinterpret_cast<void*>(1);
    const struct {
        MessageRequest request;
        unsigned style;
    } cases[] = {
        {{"t", "Carvel", MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok, nullptr},
         MB_OK | MB_DEFBUTTON1 | MB_TASKMODAL},
        {{"t", "Carvel", MsgButtons::YesNoCancel, MsgIcon::None, MsgAnswer::No, window},
         MB_YESNOCANCEL | MB_DEFBUTTON2},
        {{"t", "Carvel", MsgButtons::YesNoCancel, MsgIcon::Information, MsgAnswer::Cancel, window},
         MB_YESNOCANCEL | MB_ICONINFORMATION | MB_DEFBUTTON3},
        {{"t", "Carvel", MsgButtons::RetryCancel, MsgIcon::Critical, MsgAnswer::Cancel, window},
         MB_RETRYCANCEL | MB_ICONERROR | MB_DEFBUTTON2},
        {{"t", "Carvel", MsgButtons::YesNo, MsgIcon::None, MsgAnswer::No, nullptr},
         MB_YESNO | MB_DEFBUTTON2 | MB_TASKMODAL},
    };
    for (const auto& [request, style] : cases)
        EXPECT_EQ(messageBoxStyle(request), style) << static_cast<int>(request.buttons);

    EXPECT_EQ(messageBoxAnswer(IDYES, MsgButtons::YesNoCancel), MsgAnswer::Yes);
    EXPECT_EQ(messageBoxAnswer(IDNO, MsgButtons::YesNo), MsgAnswer::No);
    EXPECT_EQ(messageBoxAnswer(IDRETRY, MsgButtons::RetryCancel), MsgAnswer::Retry);
    EXPECT_EQ(messageBoxAnswer(IDCANCEL, MsgButtons::RetryCancel), MsgAnswer::Cancel);
    EXPECT_EQ(messageBoxAnswer(0, MsgButtons::Ok), MsgAnswer::Ok);
    EXPECT_EQ(messageBoxAnswer(0, MsgButtons::YesNo), MsgAnswer::Cancel);
}

Withdrawal* g_question = nullptr;
bool g_rescued = false;

// A real box, taken back by its asker on the window's thread while it is open: a Yes/No box,
// which has no Cancel to press, closes and answers as a closed box. Wine shows windows only on
// an X display; the test WineOnScreen runs this one under Xvfb.
TEST(Win32OnScreen, WithdrawnQuestionClosesTheOpenBox) {
    if (test::underWine() && ::GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) <= 1)
        GTEST_SKIP() << "no display to show a box on; WineOnScreen runs this under Xvfb";
    Withdrawal question;
    g_question = &question;
    g_rescued = false;
    ::SetTimer(nullptr, 0, 300, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        g_question->withdraw();
    });
    // Should the withdrawal not close the box, the test ends it rather than waiting forever.
    const UINT_PTR rescue = ::SetTimer(nullptr, 0, 20000, [](HWND, UINT, UINT_PTR id, DWORD) {
        ::KillTimer(nullptr, id);
        g_rescued = true;
        ::PostQuitMessage(0);
    });
    Win32MessageBox boxes;
    const auto shown = std::chrono::steady_clock::now();
    const MessageRequest request{"Split is not finished. Do you want to stop it and close Carvel?",
                                 "Carvel",
                                 MsgButtons::YesNo,
                                 MsgIcon::None,
                                 MsgAnswer::No,
                                 nullptr,
                                 &question};
    EXPECT_EQ(boxes.show(request), MsgAnswer::Cancel);
    EXPECT_FALSE(g_rescued);
    EXPECT_GE(std::chrono::steady_clock::now() - shown, std::chrono::milliseconds(250));
    ::KillTimer(nullptr, rescue);
    // Asked again after the withdrawal, it answers at once, unseen.
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(boxes.show(request), MsgAnswer::Cancel);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(Win32Registry, TextValuesKeysAndWhatIsMissing) {
    const std::string path =
        "Software\\Carvel Tests\\Ünïcode Δ " + std::to_string(::GetCurrentProcessId());
    Win32Registry registry;
    EXPECT_FALSE(registry.openKey(RegRoot::CurrentUser, path, KEY_QUERY_VALUE));
    const auto sub = registry.createKey(RegRoot::CurrentUser, path + "\\Sub", "",
                                        REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS);
    ASSERT_TRUE(sub);
    EXPECT_TRUE(registry.closeKey(*sub));
    EXPECT_FALSE(registry.closeKey(*sub));
    const auto key = registry.openKey(RegRoot::CurrentUser, path, KEY_ALL_ACCESS);
    ASSERT_TRUE(key);

    const std::string folder = "C:\\Hilfe Δ 帮助\\";
    EXPECT_TRUE(registry.setValue(*key, "Carvel Δ.chm", REG_SZ, folder,
                                  static_cast<std::uint32_t>(folder.size() + 1)));
    EXPECT_TRUE(registry.setValue(*key, "Count", REG_DWORD, std::string("\x2a\0\0\0", 4), 4));
    const auto text = registry.queryValue(*key, "CARVEL Δ.CHM");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->type, REG_SZ);
    EXPECT_EQ(text->data, folder);
    EXPECT_EQ(registry.queryValue(*key, "Count")->data, std::string("\x2a\0\0\0", 4));

    std::vector<std::string> names;
    for (std::uint32_t index = 0; const auto value = registry.enumValue(*key, index, 2048); ++index)
        names.push_back(value->name + ":" + std::to_string(value->type));
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"Carvel Δ.chm:1", "Count:4"}));
    EXPECT_FALSE(registry.enumValue(*key, 0, 3)); // no name fits in two characters
    EXPECT_EQ(registry.enumKey(*key, 0, 256), "Sub");
    EXPECT_FALSE(registry.enumKey(*key, 1, 256));

    EXPECT_TRUE(registry.deleteValue(*key, "carvel Δ.chm"));
    EXPECT_FALSE(registry.deleteValue(*key, "carvel Δ.chm"));
    EXPECT_FALSE(registry.queryValue(*key, "Carvel Δ.chm"));
    EXPECT_TRUE(registry.closeKey(*key));
    ::RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Carvel Tests");
}

TEST(Win32ShellExecute, AFileThatIsNotThereOpensNothing) {
    test::TempDir dir;
    EXPECT_FALSE(Win32ShellExecute().execute("open", dir / "UserGuide Δ.html"));
}

// The help class over the system's registry, find-first-file and long names, with a help file
// in a folder of spaces and letters beyond any code page.
TEST(HTMLHelpOnWindows, RegistersFindsAndForgetsAHelpFileInAnyFolder) {
    test::TempDir dir;
    const std::string folder = dir / "Hilfe Ünïcode Δ 帮助";
    std::filesystem::create_directory(test::utf8Path(folder));
    test::writeFile(folder + "\\CarvelTest.chm", "ITSF");
    WindowsHelpServices machine;
    const HelpServices real = machine.services();
    ScriptedMessageBox boxes;
    HTMLHelp help({real.viewer, real.registry, real.files, real.longPaths, real.osVersion,
                   real.fileVersions, real.environment, real.cursor, real.defWindowProc,
                   real.strings, boxes},
                  programFolder());

    help.HHCheckRegistry("CarvelTest.chm");
    EXPECT_EQ(help.HHRegFileName(), ""); // not registered yet, whether or not the key exists
    std::string name = folder + "\\CarvelTest.chm";
    help.HHRegister(name);
    EXPECT_EQ(name, "CarvelTest.chm");
    help.HHCheckRegistry("CARVELTEST.chm");
    EXPECT_EQ(help.HHRegFileName(), "CARVELTEST.chm");
    EXPECT_EQ(help.HHRegFilePath(), folder + "\\");
    EXPECT_TRUE(help.HHRegFileExists());
    std::string bare = "CarvelTest.chm";
    EXPECT_TRUE(help.EnsureFileExists(bare));
    EXPECT_EQ(bare, folder + "\\CarvelTest.chm");

    help.HHUnRegister(name);
    help.HHCheckRegistry("CarvelTest.chm");
    EXPECT_EQ(help.HHRegFileName(), "");
    EXPECT_TRUE(boxes.shown().empty());

    // A help file that is not there: the class's own message, and no viewer.
    help.setCHMFile(folder + "\\Carvel.chm");
    help.HHDisplayContents();
    ASSERT_EQ(boxes.shown().size(), 1u);
    EXPECT_EQ(boxes.shown()[0].text, "The file " + folder +
                                         "\\Carvel.chm does not exist.\nPlease make sure that you "
                                         "have installed Velm Help files");
}

// The pictures and the version resource that carvel_windows_resources() gives a program, here
// this test program as a stand-in for Carvel.
TEST(WindowsResources, PicturesInEachSizeAndTheVersion) {
    const HINSTANCE self = ::GetModuleHandleW(nullptr);
    const auto sizeOf = [](HBITMAP bitmap) {
        BITMAP info{};
        ::GetObjectW(bitmap, sizeof info, &info);
        return std::pair<int, int>(info.bmWidth, info.bmHeight);
    };
    for (const int id : {IDI_PROGRAM, IDI_CARVEL, IDI_SEAMER, IDI_TOOLBAR_SPLIT, IDI_TOOLBAR_JOIN,
                         IDI_TOOLBAR_ABOUT, IDI_TOOLBAR_HELP, IDI_TOOLBAR_EXIT, IDI_MODE_SPLIT,
                         IDI_MODE_JOIN, IDI_MODE_ABOUT, IDI_MODE_HELP, IDI_SELECT_FILE, IDI_START})
        for (const int size : {16, 24, 32}) {
            const auto icon = static_cast<HICON>(
                ::LoadImageW(self, MAKEINTRESOURCEW(id), IMAGE_ICON, size, size, 0));
            ICONINFO parts{};
            ASSERT_TRUE(icon != nullptr && ::GetIconInfo(icon, &parts)) << id << " " << size;
            EXPECT_EQ(sizeOf(parts.hbmColor), std::pair(size, size)) << id;
            // Something is drawn: not every pixel is masked out.
            std::vector<BYTE> mask(static_cast<std::size_t>(size * ((size + 15) / 16) * 2));
            ::GetBitmapBits(parts.hbmMask, static_cast<LONG>(mask.size()), mask.data());
            EXPECT_TRUE(std::any_of(mask.begin(), mask.end(), [](BYTE b) { return b != 0xFF; }))
                << id << " " << size;
            ::DeleteObject(parts.hbmColor);
            ::DeleteObject(parts.hbmMask);
            ::DestroyIcon(icon);
        }
    const auto logo = static_cast<HBITMAP>(::LoadImageW(self, MAKEINTRESOURCEW(IDB_ABOUT_LOGO),
                                                        IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(logo, nullptr);
    EXPECT_EQ(sizeOf(logo), std::pair(74, 102));
    ::DeleteObject(logo);
    const auto hand = static_cast<HCURSOR>(
        ::LoadImageW(self, MAKEINTRESOURCEW(IDCUR_LINK_HAND), IMAGE_CURSOR, 32, 32, 0));
    ICONINFO cursor{};
    ASSERT_TRUE(hand != nullptr && ::GetIconInfo(hand, &cursor));
    EXPECT_EQ(cursor.xHotspot, 13u);
    EXPECT_EQ(cursor.yHotspot, 9u);

    wchar_t path[MAX_PATH];
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD ignored = 0;
    std::vector<BYTE> block(::GetFileVersionInfoSizeW(path, &ignored));
    ASSERT_TRUE(::GetFileVersionInfoW(path, 0, static_cast<DWORD>(block.size()), block.data()));
    const auto text = [&](const wchar_t* name) {
        wchar_t* value = nullptr;
        UINT length = 0;
        const std::wstring query = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
        if (!::VerQueryValueW(block.data(), query.c_str(), reinterpret_cast<void**>(&value),
                              &length))
            return std::string();
        return toUtf8(value);
    };
    EXPECT_EQ(text(L"FileVersion"), CARVEL_VERSION);
    EXPECT_EQ(text(L"ProductName"), "Carvel");
    EXPECT_EQ(text(L"OriginalFilename"), "carvel_platform_tests.exe");
    EXPECT_EQ(text(L"LegalCopyright"), "Copyright (C) " CARVEL_COPYRIGHT);
    EXPECT_EQ(WindowsFileVersion().queryFixedFileInfo(toUtf8(path), 64000)->fileVersionMS,
              static_cast<DWORD>(CARVEL_VERSION_MAJOR << 16 | CARVEL_VERSION_MINOR));
}

} // namespace
} // namespace carvel
