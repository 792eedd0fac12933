#include "QtHelpViewer.h"
#include "ChmArchive.h"
#include "HelpPopup.h"
#include "HelpWindow.h"
#include "RecordingShellExecute.h"
#include "ScriptedMessageBox.h"

#include <QApplication>
#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace carvel;

namespace {

const std::string kHelpFile = CARVEL_HELP_FILE;

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

std::string shownText(HelpWindow* window) {
    return window->findChild<QTextBrowser*>("topic")->toPlainText().toStdString();
}

class RealHelpViewer : public ::testing::Test {
protected:
    void TearDown() override {
        viewer.htmlHelp(0, kHelpFile, HH_CLOSE_ALL, HelpData{std::intptr_t{0}});
        settle();
    }
    ScriptedMessageBox messages;
    RecordingShellExecute shell;
    QtHelpViewer viewer{messages, shell};
};

// Clicks the first link of the topic shown whose address is href, as a user would.
void clickLink(QTextBrowser* browser, const QString& href) {
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto piece = block.begin(); !piece.atEnd(); ++piece)
            if (piece.fragment().charFormat().anchorHref() == href) {
                QTextCursor cursor(browser->document());
                cursor.setPosition(piece.fragment().position() + 1);
                const QPoint at = browser->cursorRect(cursor).center();
                return QTest::mouseClick(browser->viewport(), Qt::LeftButton, {}, at);
            }
    ADD_FAILURE() << "no link to " << href.toStdString();
}

} // namespace

TEST(ChmArchive, ReadsTheCompiledHelpFilesSettingsAndWindowType) {
    const auto archive = ChmArchive::open(kHelpFile);
    ASSERT_TRUE(archive);
    EXPECT_EQ(archive->title(), "Carvel Help");
    EXPECT_EQ(archive->defaultTopic(), "Welcome.htm");
    EXPECT_EQ(archive->defaultWindow(), "Main");
    const auto main = archive->windowType("MAIN");
    ASSERT_TRUE(main);
    EXPECT_EQ(main->caption, "Carvel Help");
    EXPECT_EQ(main->contentsFile, "Carvel.hhc");
    EXPECT_EQ(main->indexFile, "Carvel.hhk");
    EXPECT_EQ(main->homeTopic, "Welcome.htm");
    EXPECT_EQ(main->right - main->left, 800);
    EXPECT_EQ(main->navigationWidth, 220);
    EXPECT_FALSE(archive->windowType("Other"));
    // The compiler records context topics under the build path; they still resolve.
    EXPECT_EQ(archive->topicForContext(1030), "/PieceSet.htm");
    EXPECT_EQ(archive->topicForContext(1000), "/Welcome.htm");
    EXPECT_FALSE(archive->topicForContext(999));
    EXPECT_FALSE(ChmArchive::open(kHelpFile + ".missing"));
}

TEST(ChmArchive, RefusesAFileThatWouldMakeChmlibAllocateBeyondItOrLoop) {
    const std::string corpus = CARVEL_FUZZ_CORPUS "/ChmArchive/";
    for (const char* hostile :
         {"block-length-of-4-gib", "window-size-without-decompressor", "directory-block-of-250-mib",
          "listing-block-chain-that-loops", "control-data-cut-short",
          "reset-table-in-compressed-section", "reset-table-behind-a-long-number"})
        EXPECT_FALSE(ChmArchive::open(corpus + hostile)) << hostile;
    // An object claiming petabytes is read only as far as the file holds bytes for it.
    EXPECT_NO_THROW(ChmArchive::open(corpus + "object-length-of-petabytes"));
    const auto tiny = ChmArchive::open(corpus + "tiny.chm");
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->title(), "T");
    EXPECT_EQ(tiny->read("A.htm").value_or("").rfind("<html>", 0), 0u);
}

TEST_F(RealHelpViewer, ContentsOfMainShowsTheWindowAndCloseAllClosesIt) {
    const std::intptr_t handle =
        viewer.htmlHelp(0, kHelpFile + ">Main", HH_DISPLAY_TOC, HelpData{std::intptr_t{0}});
    EXPECT_NE(handle, 0);
    ASSERT_EQ(viewer.windows().size(), 1u);
    HelpWindow* window = viewer.windows().front();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle(), "Carvel Help");
    EXPECT_EQ(window->width(), 800);
    EXPECT_EQ(window->findChild<QTabWidget*>("panes")->currentIndex(), 0);
    const auto* contents = window->findChild<QTreeWidget*>("contents");
    ASSERT_GE(contents->topLevelItemCount(), 5);
    EXPECT_EQ(contents->topLevelItem(0)->text(0), "Welcome to Carvel");
    EXPECT_EQ(contents->topLevelItem(3)->text(0), "Joining the pieces");
    EXPECT_EQ(contents->topLevelItem(3)->child(1)->text(0), "The join script JoinFiles.bat");
    EXPECT_EQ(window->currentTopic(), "/Welcome.htm");
    EXPECT_NE(shownText(window).find("Carvel cuts one large file"), std::string::npos);

    // The same window type is reused; the index pane of it comes forward.
    viewer.htmlHelp(0, kHelpFile + ">Main", HH_DISPLAY_INDEX, HelpData{std::intptr_t{0}});
    ASSERT_EQ(viewer.windows().size(), 1u);
    EXPECT_EQ(window->findChild<QTabWidget*>("panes")->currentIndex(), 1);

    viewer.htmlHelp(0, kHelpFile, HH_CLOSE_ALL, HelpData{std::intptr_t{0}});
    settle();
    EXPECT_TRUE(viewer.windows().empty());
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(RealHelpViewer, TopicsContextNumbersAndLinksBetweenTopics) {
    viewer.htmlHelp(0, kHelpFile + ">Main", HH_HELP_CONTEXT, HelpData{std::intptr_t{1040}});
    ASSERT_EQ(viewer.windows().size(), 1u);
    HelpWindow* window = viewer.windows().front();
    EXPECT_EQ(window->currentTopic(), "/JoinScript.htm");
    EXPECT_NE(shownText(window).find("JoinFiles.bat"), std::string::npos);

    viewer.htmlHelp(0, kHelpFile, HH_DISPLAY_TOPIC, HelpData{std::string("Seamer.htm")});
    EXPECT_EQ(viewer.windows().size(), 1u) << "no window type means the file's default, Main";
    EXPECT_EQ(window->currentTopic(), "/Seamer.htm");

    viewer.htmlHelp(0, kHelpFile, HH_HELP_CONTEXT, HelpData{std::intptr_t{4711}});
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_NE(messages.shown()[0].text.find("4711"), std::string::npos);
    EXPECT_EQ(window->currentTopic(), "/Seamer.htm");

    const auto found = window->search("piece folder");
    EXPECT_FALSE(found.empty());
    for (const auto& [title, file] : found)
        EXPECT_NE(file, "/Seamer.htm") << "Seamer's topic does not mention a piece folder";
}

TEST_F(RealHelpViewer, LinksOpenTopicsHereWebLinksGoToTheBrowserAndTitlesShowWhole) {
    viewer.htmlHelp(0, kHelpFile + ">Main", HH_DISPLAY_TOC, HelpData{std::intptr_t{0}});
    ASSERT_EQ(viewer.windows().size(), 1u);
    HelpWindow* window = viewer.windows().front();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
    auto* browser = window->findChild<QTextBrowser*>("topic");

    clickLink(browser, "Seamer.htm");
    EXPECT_EQ(window->currentTopic(), "/Seamer.htm");
    EXPECT_NE(shownText(window).find("companion program"), std::string::npos);
    EXPECT_TRUE(shell.calls().empty()) << "topics of the help file never go to the desktop";

    browser->setHtml("<p><a href=\"https://example.org/carvel\">web</a> "
                     "<a href=\"file:///etc/passwd\">file</a></p>");
    clickLink(browser, "https://example.org/carvel");
    clickLink(browser, "file:///etc/passwd");
    ASSERT_EQ(shell.calls().size(), 1u) << "files of this machine are not opened from help";
    EXPECT_EQ(shell.calls()[0],
              std::make_pair(std::string("open"), std::string("https://example.org/carvel")));

    // Every title of the contents fits the pane, also in a window narrowed to go beside another.
    window->resize(HelpWindow::kNarrowestBeside, window->height());
    QApplication::processEvents();
    auto* contents = window->findChild<QTreeWidget*>("contents");
    for (QTreeWidgetItemIterator it(contents); *it; ++it)
        EXPECT_LE(contents->visualItemRect(*it).left() +
                      contents->fontMetrics().horizontalAdvance((*it)->text(0)),
                  contents->viewport()->width());
}

TEST(HelpWindowPlace, BesideTheOtherWindowWhereTheScreenHasRoom) {
    const QRect screen(0, 0, 1920, 1040);
    const QSize help(800, 600);
    // At the right, else the left; narrowed to the room; kept on the screen at the bottom.
    EXPECT_EQ(HelpWindow::besideOf({100, 200, 470, 320}, help, screen), QRect(570, 200, 800, 600));
    EXPECT_EQ(HelpWindow::besideOf({1300, 200, 470, 320}, help, screen), QRect(500, 200, 800, 600));
    EXPECT_EQ(HelpWindow::besideOf({725, 900, 470, 120}, help, screen), QRect(1195, 440, 725, 600));
    // Too little room either side: at the edge of the roomier side, covering it least.
    EXPECT_EQ(HelpWindow::besideOf({400, 100, 470, 320}, help, QRect(0, 0, 1280, 1024)),
              QRect(480, 100, 800, 600));
    // Narrower than the screen (1600 x 1000 scaled twice), so a strip of the other stays in view.
    const QRect small(0, 0, 800, 500);
    EXPECT_EQ(HelpWindow::besideOf({155, 100, 490, 300}, help, small), QRect(235, 0, 565, 500));
    EXPECT_EQ(HelpWindow::besideOf({165, 100, 490, 300}, help, small), QRect(0, 0, 575, 500));
}

TEST_F(RealHelpViewer, KeywordAndAssociativeLookupsWithTheirFallbacks) {
    HhAkLink link;
    link.pszKeywords = "nothing here;joinfiles.bat";
    viewer.htmlHelp(0, kHelpFile, HH_KEYWORD_LOOKUP, HelpData{link});
    ASSERT_EQ(viewer.windows().size(), 1u);
    HelpWindow* window = viewer.windows().front();
    EXPECT_EQ(window->currentTopic(), "/JoinScript.htm");

    link.pszKeywords = "Seamer";
    viewer.htmlHelp(0, kHelpFile, HH_ALINK_LOOKUP, HelpData{link});
    EXPECT_EQ(window->currentTopic(), "/Seamer.htm");

    link.pszKeywords = "no such keyword";
    link.pszUrl = "Splitting.htm";
    viewer.htmlHelp(0, kHelpFile, HH_KEYWORD_LOOKUP, HelpData{link});
    EXPECT_EQ(window->currentTopic(), "/Splitting.htm");
    EXPECT_TRUE(messages.shown().empty());

    link.pszUrl.reset();
    link.pszMsgText = "Not in this help.";
    link.pszMsgTitle = "Lookup";
    viewer.htmlHelp(0, kHelpFile, HH_ALINK_LOOKUP, HelpData{link});
    link.pszMsgText.reset();
    link.pszMsgTitle.reset();
    viewer.htmlHelp(0, kHelpFile, HH_KEYWORD_LOOKUP, HelpData{link});
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].text, "Not in this help.");
    EXPECT_EQ(messages.shown()[0].caption, "Lookup");
    EXPECT_EQ(messages.shown()[1].text, "No topic was found for \"no such keyword\".");
    EXPECT_EQ(messages.shown()[1].caption, "Carvel Help");
    EXPECT_EQ(window->currentTopic(), "/Splitting.htm");
}

TEST_F(RealHelpViewer, TextPopupsStandAtThePointerAndCloseWithTheRest) {
    HhPopup record;
    record.pt = {400, 300};
    record.idString = 2;
    record.clrForeground = 0;
    record.clrBackground = 0;
    record.pszFont = "Arial, 10, ascii, Bold ";
    viewer.htmlHelp(0, kHelpFile + "::/Popups.txt", HH_DISPLAY_TEXT_POPUP, HelpData{record});
    ASSERT_EQ(viewer.popups().size(), 1u);
    auto* popup = qobject_cast<QLabel*>(viewer.popups().front());
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->text().startsWith("The size of each piece"));
    EXPECT_EQ(popup->x() + popup->width() / 2, 400);
    EXPECT_EQ(popup->y(), 300);
    EXPECT_TRUE(popup->font().bold());
    EXPECT_NE(popup->palette().color(QPalette::WindowText),
              popup->palette().color(QPalette::Window))
        << "text in the colour of its background falls back on readable colours";

    record.pszText = "Given text";
    record.clrForeground = 0x0000FF;
    viewer.htmlHelp(0, std::nullopt, HH_DISPLAY_TEXT_POPUP, HelpData{record});
    ASSERT_EQ(viewer.popups().size(), 2u);
    auto* given = qobject_cast<QLabel*>(viewer.popups().back());
    EXPECT_EQ(given->text(), "Given text");
    EXPECT_EQ(given->palette().color(QPalette::WindowText), QColor(255, 0, 0));

    record.pszText.reset();
    record.idString = 99;
    viewer.htmlHelp(0, kHelpFile + "::/Popups.txt", HH_DISPLAY_TEXT_POPUP, HelpData{record});
    EXPECT_EQ(viewer.popups().size(), 2u) << "a topic the file lacks shows nothing";

    viewer.htmlHelp(0, std::string(), HH_CLOSE_ALL, HelpData{std::intptr_t{0}});
    settle();
    EXPECT_TRUE(viewer.popups().empty());
}

TEST_F(RealHelpViewer, AFileThatIsNoHelpFileOpensNothing) {
    viewer.htmlHelp(0, "/nonexistent/Carvel.chm>Main", HH_DISPLAY_TOC, HelpData{std::intptr_t{0}});
    EXPECT_TRUE(viewer.windows().empty());
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Cannot open the help file /nonexistent/Carvel.chm.");
}

TEST(HelpPopupFont, ReadsFaceSizeAndStyles) {
    const QFont base;
    const QFont font = HelpPopup::fontOf("Courier New, 14, ascii, Italic Underline", base);
    EXPECT_EQ(font.family(), "Courier New");
    EXPECT_EQ(font.pointSizeF(), 14.0);
    EXPECT_FALSE(font.bold());
    EXPECT_TRUE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_EQ(HelpPopup::fontOf(", , ascii, ", base).pointSizeF(), base.pointSizeF());
}
