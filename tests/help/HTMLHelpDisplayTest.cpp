#include "HelpFixture.h"

using namespace carvel;

namespace {

const std::string kChm = kProgramFolder + "/Carvel.chm";

class HTMLHelpDisplay : public HelpFixture {
protected:
    void SetUp() override {
        files.addFile(kChm);
        help.setCHMFile(kChm);
    }
};

} // namespace

TEST_F(HTMLHelpDisplay, ContentsGoesToTheNamedWindowWithoutAnOwnerUnlessOnTop) {
    help.setHHWindow("Main");
    help.HHDisplayContents(4242);
    const auto& call = onlyCall();
    EXPECT_EQ(call.owner, 0);
    EXPECT_EQ(call.file, kChm + ">Main");
    EXPECT_EQ(call.command, HH_DISPLAY_TOC);
    EXPECT_EQ(call.data, HelpData{std::intptr_t{0}});
    EXPECT_EQ(files.openHandles(), 0u) << "the file check closes its search";

    help.setHHShowOnTop(true);
    help.HHDisplayContents(4242);
    EXPECT_EQ(viewer.calls().back().owner, 4242);
    help.HHDisplayContents();
    EXPECT_EQ(viewer.calls().back().owner, 0) << "on top without a calling window still shows";
    EXPECT_EQ(viewer.calls().size(), 3u);
    EXPECT_TRUE(messageBox.shown().empty());
}

TEST_F(HTMLHelpDisplay, WindowNameIsTrimmedOnlyToDecideWhetherThereIsOne) {
    help.setHHWindow("   ");
    help.HHDisplayIndex();
    EXPECT_EQ(viewer.calls().back().file, kChm);
    EXPECT_EQ(viewer.calls().back().command, HH_DISPLAY_INDEX);
    help.setHHWindow(" Main");
    help.HHDisplayIndex();
    EXPECT_EQ(viewer.calls().back().file, kChm + "> Main");
}

TEST_F(HTMLHelpDisplay, TopicSearchAndContextCarryTheirData) {
    help.setHHWindow("Main");
    help.setHHTopicURL("splitting.htm");
    help.HHDisplayTopicURL();
    EXPECT_EQ(viewer.calls().back().command, HH_DISPLAY_TOPIC);
    EXPECT_EQ(viewer.calls().back().data, HelpData{std::string("splitting.htm")});

    help.setHHTopicID(1010);
    help.HHDisplayTopicID();
    EXPECT_EQ(viewer.calls().back().command, HH_HELP_CONTEXT);
    EXPECT_EQ(viewer.calls().back().data, HelpData{std::intptr_t{1010}});

    help.HHDisplaySearch();
    const auto& search = viewer.calls().back();
    EXPECT_EQ(search.command, HH_DISPLAY_SEARCH);
    EXPECT_EQ(search.file, kChm + ">Main") << "the window travels in the file argument";
    const auto& query = std::get<HhFtsQuery>(search.data);
    EXPECT_EQ(query.cbStruct, 32);
    EXPECT_FALSE(query.fUniCodeStrings);
    EXPECT_EQ(query.pszSearchQuery, std::optional<std::string>(""))
        << "empty text, not a null pointer";
    EXPECT_EQ(query.iProximity, 0);
    EXPECT_FALSE(query.fStemmedSearch);
    EXPECT_FALSE(query.fTitleOnly);
    EXPECT_TRUE(query.fExecute);
    EXPECT_EQ(query.pszWindow, std::optional<std::string>(""));
}

TEST_F(HTMLHelpDisplay, KeywordLookupOpensTheFileThenLooksUpWithNullDefaults) {
    help.setHHWindow("Main");
    help.setHHKeyword("piece;join");
    help.setHHMsgTitle("Carvel");
    help.HHDisplayKeyword(99);

    ASSERT_EQ(viewer.calls().size(), 2u);
    const auto& open = viewer.calls()[0];
    EXPECT_EQ(open.file, kChm) << "lookups never name the window in the file argument";
    EXPECT_EQ(open.command, HH_DISPLAY_TOPIC);
    EXPECT_EQ(open.data, HelpData{std::intptr_t{0}});
    const auto& lookup = viewer.calls()[1];
    EXPECT_EQ(lookup.file, kChm);
    EXPECT_EQ(lookup.command, HH_KEYWORD_LOOKUP);
    const auto& link = std::get<HhAkLink>(lookup.data);
    EXPECT_EQ(link.cbStruct, 32);
    EXPECT_FALSE(link.fReserved);
    EXPECT_EQ(link.pszKeywords, std::optional<std::string>("piece;join"));
    EXPECT_EQ(link.pszUrl, std::nullopt);
    EXPECT_EQ(link.pszMsgText, std::nullopt);
    EXPECT_EQ(link.pszMsgTitle, std::optional<std::string>("Carvel"));
    EXPECT_EQ(link.pszWindow, std::optional<std::string>("Main"));
    EXPECT_FALSE(link.fIndexOnFail);
    EXPECT_EQ(help.HHDefaultURL(), "") << "a null property reads as empty";

    // An associative link makes only the lookup, and a blank window becomes a null pointer.
    help.setHHWindow("  ");
    help.setHHALink("Seamer");
    help.setHHDefaultURL("joining.htm");
    help.setHHMsgTitle("");
    help.HHDisplayALink();
    ASSERT_EQ(viewer.calls().size(), 3u);
    EXPECT_EQ(viewer.calls()[2].command, HH_ALINK_LOOKUP);
    const auto& alink = std::get<HhAkLink>(viewer.calls()[2].data);
    EXPECT_EQ(alink.pszKeywords, std::optional<std::string>("Seamer"));
    EXPECT_EQ(alink.pszUrl, std::optional<std::string>("joining.htm"));
    EXPECT_EQ(alink.pszMsgTitle, std::nullopt);
    EXPECT_EQ(alink.pszWindow, std::nullopt);
}

TEST_F(HTMLHelpDisplay, NameAndPresenceChecksStopWithTheirMessages) {
    files.addFile("/docs/MANUAL.CHM");
    help.setCHMFile("/docs/MANUAL.CHM");
    help.HHDisplayContents();
    EXPECT_EQ(viewer.calls().size(), 1u) << "CHM in capitals is a help file";

    help.setCHMFile("/docs/manual.htm");
    help.HHDisplayContents();
    help.setCHMFile("/docs/missing.chm");
    help.HHDisplayIndex();
    EXPECT_EQ(viewer.calls().size(), 1u);
    ASSERT_EQ(messageBox.shown().size(), 2u);
    EXPECT_EQ(messageTexts()[0], "/docs/manual.htm is not a valid HTML Help file.");
    EXPECT_EQ(messageTexts()[1], "The file /docs/missing.chm does not exist.\n"
                                 "Please make sure that you have installed Velm Help files");
    for (const MessageRequest& box : messageBox.shown()) {
        EXPECT_EQ(box.caption, "Orvane! Error");
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
        EXPECT_EQ(box.icon, MsgIcon::Critical);
        EXPECT_EQ(box.owner, nullptr);
    }
}

TEST_F(HTMLHelpDisplay, BareNameIsCompletedFromTheRegistryOrTheProgramFolder) {
    // Not registered: the program folder, kept afterwards even when the file is missing.
    help.setCHMFile("Other.chm");
    help.HHDisplayContents();
    EXPECT_EQ(help.CHMFile(), kProgramFolder + "/Other.chm");
    EXPECT_EQ(messageTexts().at(0), "The file /opt/carvel/Other.chm does not exist.\n"
                                    "Please make sure that you have installed Velm Help files");

    // Registered under another spelling, as expandable text: found, spelt as the caller did.
    environment.setVariable("HELPDIR", "/srv/help");
    registry.seed(RegRoot::LocalMachine, kHelpFileKey, "CARVEL.CHM", "%HELPDIR%/", REG_EXPAND_SZ);
    files.addFile("/srv/help/Carvel.chm");
    help.setCHMFile("Carvel.chm");
    help.HHDisplayContents();
    EXPECT_EQ(help.CHMFile(), "/srv/help/Carvel.chm");
    EXPECT_EQ(help.HHRegFileName(), "Carvel.chm");
    EXPECT_EQ(help.HHRegFilePath(), "/srv/help/");
    EXPECT_TRUE(help.HHRegFileExists());
    EXPECT_EQ(viewer.calls().back().file, "/srv/help/Carvel.chm");
    EXPECT_EQ(environment.calls().back().second, 2048u);
    EXPECT_EQ(registry.openKeyCount(), 0u) << "every key opened is closed";
}

TEST_F(HTMLHelpDisplay, CloseAllNeedsNoFile) {
    help.setCHMFile("");
    help.HHClose();
    const auto& call = onlyCall();
    EXPECT_EQ(call.owner, 0);
    EXPECT_EQ(call.file, std::optional<std::string>(""));
    EXPECT_EQ(call.command, HH_CLOSE_ALL);
    EXPECT_EQ(call.data, HelpData{std::intptr_t{0}});
    EXPECT_TRUE(messageBox.shown().empty());
}

TEST_F(HTMLHelpDisplay, FixedHelpFileNamesAndContextHelp) {
    EXPECT_EQ(help.HHSetHelpFile(1), kProgramFolder + "/Library.chm");
    EXPECT_EQ(help.HHSetHelpFile(2), "Library.txt");
    EXPECT_EQ(help.HHSetHelpFile(0), "");
    EXPECT_EQ(help.HHSetHelpFile(3), "");

    help.HHInvokeWhatsThisHelp(31);
    ASSERT_EQ(defWindowProc.calls().size(), 1u);
    EXPECT_EQ(defWindowProc.calls()[0].window, 31);
    EXPECT_EQ(defWindowProc.calls()[0].message, 274u);
    EXPECT_EQ(defWindowProc.calls()[0].wParam, 61824u);
    EXPECT_EQ(defWindowProc.calls()[0].lParam, 0);
    EXPECT_TRUE(viewer.calls().empty());
}
