#include "HelpSitemap.h"
#include "CaseFolding.h"

#include <gtest/gtest.h>

using namespace carvel;

TEST(HelpSitemap, NestedListsBecomeChildrenOfTheEntryBeforeThem) {
    const std::string html = R"(<HTML><BODY>
<OBJECT type="text/site properties"><param name="Window Styles" value="0x800025"></OBJECT>
<UL>
 <LI><OBJECT type="text/sitemap"><param name="Name" value="Joining &amp; more">
     <param name="Local" value="Joining.htm"></OBJECT>
 <UL>
  <LI><OBJECT type="text/sitemap"><PARAM NAME=name VALUE=Seamer><param name="Local" value='Seamer.htm'></OBJECT>
 </UL>
 <LI><object type="text/sitemap"><param name="Name" value="Last"></object>
</UL></BODY></HTML>)";
    const auto entries = parseSitemap(html);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].name, "Joining & more");
    EXPECT_EQ(entries[0].local, "Joining.htm");
    ASSERT_EQ(entries[0].children.size(), 1u);
    EXPECT_EQ(entries[0].children[0].name, "Seamer");
    EXPECT_EQ(entries[0].children[0].local, "Seamer.htm");
    EXPECT_EQ(entries[1].name, "Last");
    EXPECT_EQ(entries[1].local, "");
}

TEST(HelpSitemap, TopicTitleTextALinksAndPopupTopics) {
    const std::string topic = R"(<html><head><title>Piece &amp; set</title>
<style>h1 { color: red; }</style></head><body>
<object type="application/x-oleobject"><param name="ALink Name" value="Pieces;Names"></object>
<h1>Names</h1><p>photos.zip.1&nbsp;and <b>more</b></p></body></html>)";
    EXPECT_EQ(parseTitle(topic), "Piece & set");
    EXPECT_EQ(parseALinkNames(topic), (std::vector<std::string>{"Pieces", "Names"}));
    const std::string text = plainText(topic);
    EXPECT_NE(text.find("photos.zip.1 and"), std::string::npos);
    EXPECT_EQ(text.find("color"), std::string::npos) << "only the body is text";

    const std::string popups = ".topic 1\r\nFirst line\r\n.topic 20\nTwo\nlines\n.topic 3\nx";
    EXPECT_EQ(popupTopic(popups, 1), "First line");
    EXPECT_EQ(popupTopic(popups, 20), "Two\nlines");
    EXPECT_EQ(popupTopic(popups, 2), "");
}

TEST(HelpSitemap, TopicFilesAreHtmlPagesWhateverTheirCaseOrLength) {
    EXPECT_TRUE(isTopicFile("/Joining.htm"));
    EXPECT_TRUE(isTopicFile("/SEAMER.HTML"));
    EXPECT_FALSE(isTopicFile("/Popups.txt"));
    EXPECT_FALSE(isTopicFile("/a.g")) << "a name shorter than \".html\" is no topic";
    EXPECT_FALSE(isTopicFile(""));

    EXPECT_EQ(folded("Carvel.CHM"), "carvel.chm");
    EXPECT_EQ(folded("\xC4ND.chm"), "\xC4nd.chm") << "only ASCII letters fold";
    EXPECT_TRUE(endsWithIgnoringCase("MANUAL.Chm", "chm"));
    EXPECT_FALSE(endsWithIgnoringCase("hm", "chm"));
}
