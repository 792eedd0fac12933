#include "HelpFixture.h"

using namespace carvel;

namespace {

class HTMLHelpPopup : public HelpFixture {
protected:
    const HhPopup& lastPopup() { return std::get<HhPopup>(viewer.calls().back().data); }
};

} // namespace

TEST_F(HTMLHelpPopup, TextPopupAtThePointerWithDefaultFontAndColours) {
    cursor.moveTo({120, 340});
    help.setHHPopupType(4);
    help.setHHPopupID(55);
    help.setHHPopupText("Each piece is numbered.");
    help.HHDisplayPopup(501);

    const auto& call = onlyCall();
    EXPECT_EQ(call.owner, 501) << "the popup belongs to the calling window, on top or not";
    EXPECT_EQ(call.file, std::nullopt);
    EXPECT_EQ(call.command, HH_DISPLAY_TEXT_POPUP);
    const HhPopup& popup = lastPopup();
    EXPECT_EQ(popup.cbStruct, 52);
    EXPECT_EQ(popup.hinst, 0);
    EXPECT_EQ(popup.idString, 0u);
    EXPECT_EQ(popup.pszText, std::optional<std::string>("Each piece is numbered."));
    EXPECT_EQ(popup.pt, (ScreenPoint{120, 340}));
    EXPECT_EQ(popup.clrForeground, 0);
    EXPECT_EQ(popup.clrBackground, 0);
    EXPECT_EQ(popup.rcMargins, (HhMargins{-1, -1, -1, -1}));
    EXPECT_EQ(popup.pszFont, std::optional<std::string>("Arial, 10, ascii, "));
}

TEST_F(HTMLHelpPopup, AShownPopupResetsColoursAndFontButKeepsTheRest) {
    help.setHHPopupType(4);
    help.setHHPopupText("First");
    help.setHHPopupTextColor(0x0000FF);
    help.setHHPopupBackColor(-1);
    help.setHHPopupTextFont("Tahoma");
    help.setHHPopupTextSize("8");
    help.setHHPopupTextBold(true);
    help.setHHPopupTextItalic(true);
    help.setHHPopupTextUnderline(true);
    help.HHDisplayPopup(1);
    EXPECT_EQ(lastPopup().pszFont, std::optional<std::string>("Tahoma, 8, ascii, Bold Italic "
                                                              "Underline"));
    EXPECT_EQ(lastPopup().clrForeground, 0x0000FF);
    EXPECT_EQ(lastPopup().clrBackground, -1);

    help.HHDisplayPopup(1);
    EXPECT_EQ(lastPopup().pszText, std::optional<std::string>("First"));
    EXPECT_EQ(lastPopup().pszFont, std::optional<std::string>("Arial, 10, ascii, "));
    EXPECT_EQ(lastPopup().clrForeground, 0);
    EXPECT_EQ(lastPopup().clrBackground, 0);

    // Custom colours are chosen by the switch, which survives the reset.
    help.setHHPopupCustomColors(true);
    help.setHHPopupTextBold(true);
    help.setHHPopupCustomTextColor(0x112233);
    help.setHHPopupCustomBackColor(0xFFFFE0);
    help.setHHPopupTextColor(7);
    help.HHDisplayPopup(1);
    EXPECT_EQ(lastPopup().clrForeground, 0x112233);
    EXPECT_EQ(lastPopup().clrBackground, 0xFFFFE0);
    EXPECT_EQ(lastPopup().pszFont, std::optional<std::string>("Arial, 10, ascii, Bold "));
    EXPECT_TRUE(help.HHPopupCustomColors());
}

TEST_F(HTMLHelpPopup, TypesThatShowNothing) {
    help.setHHPopupType(0);
    help.HHDisplayPopup(1);
    EXPECT_EQ(cursor.reads(), 0);
    help.setHHPopupType(4);
    help.setHHPopupText("");
    help.HHDisplayPopup(1);
    help.setHHPopupType(2);
    help.setHHPopupID(8); // the program carries no string 8
    help.HHDisplayPopup(1);

    // Type 3 fills the record and shows nothing, so the colours set stay for the next one.
    help.setHHPopupType(3);
    help.setHHPopupTextColor(0x00FF00);
    help.HHDisplayPopup(1);
    EXPECT_TRUE(viewer.calls().empty());
    EXPECT_TRUE(messageBox.shown().empty());

    help.setHHPopupType(2);
    help.setHHPopupID(7);
    help.HHDisplayPopup(1);
    EXPECT_EQ(lastPopup().pszText, std::optional<std::string>("Pieces are numbered from 1."));
    EXPECT_EQ(lastPopup().idString, 0u);
    EXPECT_EQ(lastPopup().clrForeground, 0x00FF00);
}

TEST_F(HTMLHelpPopup, TopicPopupsComeFromATextFileInsideTheHelpFile) {
    files.addFile("/opt/carvel/Carvel.chm");
    help.setCHMFile("/opt/carvel/Carvel.chm");
    help.setHHPopupType(1);
    help.setHHPopupID(2);
    help.setHHPopupFile("Popups.TXT");
    help.HHDisplayPopup(9);
    const auto& call = onlyCall();
    EXPECT_EQ(call.file, std::optional<std::string>("/opt/carvel/Carvel.chm::/Popups.TXT"));
    EXPECT_EQ(call.owner, 9);
    EXPECT_EQ(lastPopup().idString, 2u);
    EXPECT_EQ(lastPopup().pszText, std::nullopt);

    help.setHHPopupFile("Popups.htm");
    help.setHHPopupTextColor(5);
    help.HHDisplayPopup(9);
    EXPECT_EQ(messageTexts(), std::vector<std::string>{"The file specified as the text popup "
                                                       "source, 'Popups.htm', is not a valid "
                                                       "popup file."});
    help.setHHPopupFile("Popups.txt");
    help.HHDisplayPopup(9);
    EXPECT_EQ(lastPopup().clrForeground, 5) << "a refused popup resets nothing";

    help.setCHMFile("/opt/carvel/Other.chm");
    help.HHDisplayPopup(9);
    EXPECT_EQ(viewer.calls().size(), 2u);
    EXPECT_EQ(messageBox.shown().size(), 2u);
}
