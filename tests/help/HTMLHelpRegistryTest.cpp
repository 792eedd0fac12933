#include "HelpFixture.h"

using namespace carvel;

namespace {

const std::string kViewerKey = "CLSID\\{4662DAB0-D393-11D0-9A56-00C04FB68B66}\\InprocServer32";
const std::string kBrowserKey = "CLSID\\{0A89A860-D7B1-11CE-8350-444553540000}\\InProcServer32";

class HTMLHelpRegistry : public HelpFixture {
protected:
    std::optional<std::string> registered(const std::string& name) {
        const auto value = registry.valueOf(RegRoot::LocalMachine, kHelpFileKey, name);
        return value ? std::optional<std::string>(value->data) : std::nullopt;
    }
    void installViewer(std::uint16_t major, std::uint16_t minor, std::uint16_t third,
                       std::uint16_t fourth) {
        registry.seed(RegRoot::ClassesRoot, kViewerKey, "", "/win/system/hhctrl.ocx");
        files.addFile("/win/system/hhctrl.ocx");
        fileVersions.setVersion("/win/system/hhctrl.ocx", major, minor, third, fourth);
    }
    void installBrowser(std::uint16_t major, std::uint16_t minor, std::uint16_t third,
                        std::uint16_t fourth) {
        registry.seed(RegRoot::ClassesRoot, kBrowserKey, "", "/win/system/shdocvw.dll");
        files.addFile("/win/system/shdocvw.dll");
        fileVersions.setVersion("/win/system/shdocvw.dll", major, minor, third, fourth);
    }
};

} // namespace

TEST_F(HTMLHelpRegistry, CheckRegistryFindsNamesInAnyCaseAndLeavesEmptyNamesAlone) {
    registry.seed(RegRoot::LocalMachine, kHelpFileKey, "Numeric", "7", REG_DWORD);
    registry.seed(RegRoot::LocalMachine, kHelpFileKey, "carvel.CHM", "/srv/help/");
    files.addFile("/srv/help/Carvel.chm");

    EXPECT_EQ(help.HHCheckRegistry("/any/where/Carvel.chm"), std::optional<bool>(false));
    EXPECT_EQ(help.HHRegFileName(), "Carvel.chm");
    EXPECT_EQ(help.HHRegFilePath(), "/srv/help/");
    EXPECT_TRUE(help.HHRegFileExists());
    EXPECT_EQ(files.lookups().back(), "/srv/help//Carvel.chm")
        << "folder, separator and name, even when the folder ends in one";
    const auto enumerations = registry.callsOf("enumValue");
    ASSERT_FALSE(enumerations.empty());
    EXPECT_EQ(enumerations[0].length, 2048u) << "name buffer";
    EXPECT_EQ(registry.callsOf("openKey")[0].root, RegRoot::LocalMachine);

    EXPECT_EQ(help.HHCheckRegistry(""), std::nullopt);
    EXPECT_EQ(help.HHRegFileName(), "Carvel.chm");
    EXPECT_TRUE(help.HHRegFileExists());

    // Registered but gone from its folder: not-found message, and the flag drops.
    registry.seed(RegRoot::LocalMachine, kHelpFileKey, "Gone.chm", "/srv/old");
    help.HHCheckRegistry("Gone.chm");
    EXPECT_EQ(help.HHRegFileName(), "Gone.chm");
    EXPECT_FALSE(help.HHRegFileExists());
    EXPECT_EQ(messageTexts(),
              std::vector<std::string>{"The file /srv/old/Gone.chm does not exist.\n"
                                       "Please make sure that you have installed Velm Help files"});

    // An unreadable key counts as holding nothing, without a message.
    registry.fail("openKey");
    help.HHCheckRegistry("Carvel.chm");
    EXPECT_EQ(help.HHRegFileName(), "");
    EXPECT_EQ(help.HHRegFilePath(), "");
    EXPECT_EQ(messageBox.shown().size(), 1u);
}

TEST_F(HTMLHelpRegistry, RegisterWritesTheFolderOnceAndUnregisterRemovesIt) {
    osVersion.set(VER_PLATFORM_WIN32_NT, 5, 0);
    longPaths.setLongForm("/srv/help/carvel.chm", "/srv/help/carvel.chm");
    files.addFile("/srv/help/carvel.chm");

    std::string file = "/srv/help/carvel.chm";
    help.HHRegister(file);
    EXPECT_EQ(file, "carvel.chm") << "the caller's variable is shortened";
    EXPECT_EQ(registered("carvel.chm"), "/srv/help/");
    const auto created = registry.callsOf("createKey");
    ASSERT_EQ(created.size(), 1u);
    EXPECT_EQ(created[0].subKey, kHelpFileKey);
    EXPECT_EQ(created[0].number, KEY_SET_VALUE | KEY_CREATE_SUB_KEY);
    const auto written = registry.callsOf("setValue");
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].number, REG_SZ);
    EXPECT_EQ(written[0].length, 11u) << "the terminating null is counted";
    EXPECT_EQ(longPaths.calls().at(0).second, 256u);
    EXPECT_EQ(registry.openKeyCount(), 0u);

    file = "/srv/help/carvel.chm";
    help.HHRegister(file);
    EXPECT_EQ(messageTexts().back(), "The file /srv/help/carvel.chm is already registered.  "
                                     "HHRegister will not be run as no action need be taken.");
    EXPECT_EQ(messageBox.shown().back().icon, MsgIcon::Information);
    EXPECT_EQ(registry.callsOf("setValue").size(), 1u);

    file = "/srv/help/carvel.chm";
    help.HHUnRegister(file);
    EXPECT_EQ(file, "carvel.chm");
    EXPECT_EQ(registered("carvel.chm"), std::nullopt);
    EXPECT_EQ(help.HHRegFileName(), "") << "the properties show the new state";

    file = "/srv/help/carvel.chm";
    help.HHUnRegister(file);
    EXPECT_EQ(messageTexts().back(), "The file /srv/help/carvel.chm is not registered.  "
                                     "HHUnRegister will not be run as no action need be taken.");
    EXPECT_EQ(registry.callsOf("deleteValue").size(), 1u);
}

TEST_F(HTMLHelpRegistry, RegisterRefusesMissingFilesAndReportsAKeyItCannotCreate) {
    std::string bare = "Nowhere.chm";
    help.HHRegister(bare);
    EXPECT_EQ(messageTexts().back(), "The file /opt/carvel/Nowhere.chm does not exist.\n"
                                     "Please make sure that you have installed Velm Help files");
    EXPECT_TRUE(registry.callsOf("setValue").empty());

    // A bare name found beside the program is registered with the program folder.
    files.addFile(kProgramFolder + "/Carvel.chm");
    bare = "Carvel.chm";
    help.HHRegister(bare);
    EXPECT_EQ(registered("Carvel.chm"), kProgramFolder + "/");

    registry.fail("createKey");
    files.addFile("/srv/Extra.chm");
    std::string full = "/srv/Extra.chm";
    help.HHRegister(full);
    EXPECT_EQ(messageTexts().back(), "HTML Help Class: HHRegister Error");
    EXPECT_EQ(messageBox.shown().back().icon, MsgIcon::Critical);
}

TEST_F(HTMLHelpRegistry, LongNamesAreBuiltElementByElementOutsideVersions4And5) {
    // Code 0 here: the walk asks the finder for each folder on the way.
    osVersion.set(VER_PLATFORM_WIN32_NT, 6, 1);
    files.addFile("/srv", "SRV");
    files.addFile("/SRV/help", std::string("Help\0\0", 6));
    files.addFile("/SRV/Help/x.chm");
    std::string file = "/srv/help/x.chm";
    help.HHRegister(file);
    EXPECT_EQ(registered("x.chm"), "/SRV/Help/");
    EXPECT_TRUE(longPaths.calls().empty());
    EXPECT_EQ(files.openHandles(), 0u);

    // A folder missing on the way keeps the path as given, so the message names it whole.
    std::string missing = "/srv/gone/y.chm";
    help.HHRegister(missing);
    EXPECT_EQ(messageTexts().back(), "The file /srv/gone/y.chm does not exist.\n"
                                     "Please make sure that you have installed Velm Help files");
}

TEST_F(HTMLHelpRegistry, WindowsVersionCodes) {
    const struct {
        std::uint32_t platform, major, minor;
        std::int32_t code;
    } rows[] = {{1, 4, 0, 2}, {1, 4, 10, 4}, {1, 4, 90, 0}, {2, 3, 51, 1}, {2, 4, 0, 3},
                {2, 5, 1, 5}, {2, 6, 0, 0},  {2, 10, 0, 0}, {0, 6, 8, 0}};
    for (const auto& row : rows) {
        osVersion.set(row.platform, row.major, row.minor);
        EXPECT_EQ(help.GetWindowsVersion(), row.code)
            << row.platform << " " << row.major << "." << row.minor;
    }
    EXPECT_EQ(osVersion.recordSizes().front(), 148u);
}

TEST_F(HTMLHelpRegistry, VersionTextsAndFriendlyNames) {
    installViewer(4, 72, 7290, 0);
    installBrowser(5, 0, 2314, 1000);
    EXPECT_EQ(help.HHVersion(), "4.72.7290.00");
    EXPECT_EQ(help.HHFriendlyName(), "1.0");
    EXPECT_EQ(help.IEVersion(), "5.00.2314.1000");
    EXPECT_EQ(help.IEFriendlyName(), "5.0a (Office 2000)");
    EXPECT_EQ(fileVersions.reads().back().second, 1024u) << "the resource's own size";

    // A third part of 0 gives a four-digit fourth part; a part above 32767 stays positive.
    installBrowser(4, 72, 0, 5);
    EXPECT_EQ(help.IEVersion(), "4.72.0005");
    EXPECT_EQ(help.IEFriendlyName(), "unknown");
    installViewer(4, 74, 40000, 1);
    EXPECT_EQ(help.HHVersion(), "4.74.40000.01");
}

TEST_F(HTMLHelpRegistry, MissingControlsAreReportedAndLeaveTheVersionAlone) {
    EXPECT_EQ(help.HHVersion(), "");
    EXPECT_EQ(help.IEVersion(), "");
    registry.seed(RegRoot::ClassesRoot, kViewerKey, "", "/win/system/hhctrl.ocx");
    registry.seed(RegRoot::ClassesRoot, kBrowserKey, "", "/win/system/shdocvw.dll");
    help.HHVersion();
    help.IEVersion();
    EXPECT_EQ(messageTexts(),
              (std::vector<std::string>{
                  "Hhctrl.ocx is not registered.  Please install HTML Help.",
                  "Shdocvw.dll is not registered.  Please install Internet Explorer.",
                  "Hhctrl.ocx is not in its registered location.  Please reinstall HTML Help.",
                  "Internet Explorer is not in its registered location.  "
                  "Please reinstall Internet Explorer."}));
}

TEST_F(HTMLHelpRegistry, MinimumConfigurationComparesVersionsAsText) {
    installViewer(4, 73, 8252, 0);
    installBrowser(5, 0, 2014, 2130);
    EXPECT_TRUE(help.HHVerifyMinConfig(20, 267)) << "a longer text sorts after its prefix";
    EXPECT_FALSE(help.HHVerifyMinConfig(21, 256));
    EXPECT_EQ(help.HHFriendlyName(), "1.2");

    EXPECT_FALSE(help.HHVerifyMinConfig(15, 256));
    EXPECT_EQ(help.HHFriendlyName(), "unknown") << "the version field holds unknown";
    EXPECT_FALSE(help.HHVerifyMinConfig(16, 271));
    EXPECT_EQ(help.IEFriendlyName(), "unknown");

    // As text, 4.100 sorts before 4.72 although its number is larger.
    installViewer(4, 100, 1, 0);
    EXPECT_FALSE(help.HHVerifyMinConfig(16, 256));
    EXPECT_TRUE(messageBox.shown().empty());
}

TEST_F(HTMLHelpRegistry, InstalledWhenTheTypeLibraryKeyOpens) {
    const std::string typeLib =
        "SOFTWARE\\Classes\\TypeLib\\{ADB880A2-D8FF-11CF-9377-00AA003B7A11}";
    EXPECT_FALSE(help.HHInstalled());
    registry.seed(RegRoot::LocalMachine, typeLib + "\\1.0", "", "HHCtrl 4.0 Type Library");
    registry.seedKey(RegRoot::LocalMachine, typeLib + "\\1.1");
    registry.clear();
    EXPECT_TRUE(help.HHInstalled());
    EXPECT_EQ(registry.callsOf("openKey").at(0).number, KEY_ALL_ACCESS);
    EXPECT_EQ(registry.callsOf("enumKey").size(), 3u) << "two subkeys and the end";
    EXPECT_EQ(registry.callsOf("enumKey").at(0).length, 256u);
    EXPECT_EQ(registry.callsOf("queryValue").size(), 2u);
    EXPECT_EQ(registry.openKeyCount(), 0u);

    registry.fail("closeKey");
    EXPECT_FALSE(help.GetKeyInfo(typeLib, 3));
}
