#include "AccessibleNames.h"
#include "HelpServiceDoubles.h"
#include "HelpWindow.h"
#include "MachineHelpServices.h"
#include "RecordingShellExecute.h"
#include "StatusBar.h"
#include "UiTestSupport.h"
#include "frmAbout.h"

#include <QApplication>
#include <QFileInfo>
#include <QLabel>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace carvel::test {
namespace {

void settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

TEST(HelpCommand, OpensTheContentsOfCarvelChmInMainAndReusesTheHelpObject) {
    HelpServiceDoubles help;
    help.files.addFile("/opt/carvel/Carvel.chm");
    Carvel carvel;
    frmSplitJoin& window = *carvel.window;
    window.useHelp(help.services(), QStringLiteral("/opt/carvel"));
    window.flow().SwitchToJoinMode();

    window.flow().mnuhp_Click();
    EXPECT_EQ(window.windowTitle(), "Help");
    EXPECT_EQ(window.statusBar1()->text(), "Help");
    for (int index = 1; index <= 5; ++index)
        EXPECT_TRUE(window.toolbarButton(index)->isEnabled()) << index;
    ASSERT_EQ(help.viewer.calls().size(), 1u);
    const auto& call = help.viewer.calls()[0];
    EXPECT_EQ(call.owner, 0);
    EXPECT_EQ(call.file, std::optional<std::string>("/opt/carvel/Carvel.chm>Main"));
    EXPECT_EQ(call.command, HH_DISPLAY_TOC);
    EXPECT_EQ(call.data, HelpData{std::intptr_t{0}});
    const HTMLHelp* first = window.currentHelpObject();
    ASSERT_NE(first, nullptr);

    window.flow().tbMenu_ButtonClick("Help");
    EXPECT_EQ(window.currentHelpObject(), first);
    EXPECT_EQ(help.viewer.calls().size(), 2u);

    window.close();
    ASSERT_EQ(help.viewer.calls().size(), 3u);
    EXPECT_EQ(help.viewer.calls()[2].command, HH_CLOSE_ALL);
    EXPECT_EQ(help.viewer.calls()[2].owner, 0);
    EXPECT_EQ(window.currentHelpObject(), nullptr) << "released when the window unloads";
    EXPECT_TRUE(help.messageBox.shown().empty());
}

TEST(HelpCommand, ClosingWithoutHelpLeavesTheViewerAlone) {
    HelpServiceDoubles help;
    Carvel carvel;
    carvel.window->useHelp(help.services(), QStringLiteral("/opt/carvel"));
    carvel.window->flow().mnuex_Click();
    EXPECT_TRUE(help.viewer.calls().empty());
}

TEST(HelpCommand, AMissingHelpFileIsReportedAndTheRootFolderIsAppendedTo) {
    HelpServiceDoubles help;
    Carvel carvel;
    carvel.window->useHelp(help.services(), QStringLiteral("/"));
    carvel.window->flow().mnuhp_Click();
    EXPECT_TRUE(help.viewer.calls().empty());
    ASSERT_EQ(help.messageBox.shown().size(), 1u);
    EXPECT_EQ(help.messageBox.shown()[0].text,
              "The file //Carvel.chm does not exist.\n"
              "Please make sure that you have installed Velm Help files");
    EXPECT_EQ(help.messageBox.shown()[0].caption, "Orvane! Error");
    EXPECT_EQ(carvel.window->windowTitle(), "Help");

    // Help counts as shown once it was asked for, found or not, so closing closes all.
    carvel.window->close();
    ASSERT_EQ(help.viewer.calls().size(), 1u);
    EXPECT_EQ(help.viewer.calls()[0].command, HH_CLOSE_ALL);
    EXPECT_EQ(help.viewer.calls()[0].file, std::optional<std::string>("//Carvel.chm"));
}

// Installed, the program is in PREFIX/bin and its help file in PREFIX/share/carvel; a help file
// beside the program is taken first.
TEST(HelpCommand, FindsTheHelpFileBesideTheProgramElseWhereItIsInstalled) {
    for (const bool beside : {false, true}) {
        HelpServiceDoubles help;
        help.files.addFile("/usr/share/carvel/Carvel.chm");
        if (beside)
            help.files.addFile("/usr/bin/Carvel.chm");
        Carvel carvel;
        carvel.window->useHelp(help.services(), QStringLiteral("/usr/bin"));
        carvel.window->flow().mnuhp_Click();
        ASSERT_EQ(help.viewer.calls().size(), 1u) << beside;
        EXPECT_EQ(help.viewer.calls()[0].file,
                  std::optional<std::string>(beside ? "/usr/bin/Carvel.chm>Main"
                                                    : "/usr/share/carvel/Carvel.chm>Main"));
        EXPECT_TRUE(help.messageBox.shown().empty());
        EXPECT_EQ(help.files.openHandles(), 0u);
    }
}

// Carvel's Help over this machine's viewer and the compiled help file, then Exit.
TEST(HelpCommand, HelpOpensTheRealHelpWindowAndExitClosesIt) {
    const std::string helpFile = CARVEL_HELP_FILE;
    MachineHelpServices machine;
    Carvel carvel;
    carvel.window->useHelp(machine.services(),
                           QString::fromStdString(helpFile.substr(0, helpFile.rfind('/'))));
    carvel.showActive();

    carvel.window->toolbarButton(4)->click();
    ASSERT_EQ(machine.viewer().windows().size(), 1u);
    HelpWindow* helpWindow = machine.viewer().windows().front();
    EXPECT_TRUE(helpWindow->isVisible());
    EXPECT_EQ(helpWindow->windowTitle(), "Carvel Help");
    EXPECT_EQ(helpWindow->windowTypeName(), "Main");
    EXPECT_EQ(helpWindow->currentTopic(), "/Welcome.htm");
    EXPECT_EQ(helpWindow->windowIcon().pixmap(32, 32).toImage(),
              carvel.window->windowIcon().pixmap(32, 32).toImage());

    carvel.window->flow().mnuex_Click();
    settle();
    EXPECT_TRUE(machine.viewer().windows().empty());
    EXPECT_FALSE(carvel.window->isVisible());
}

// Also the About link is a link, and the help window a window that Esc and Ctrl+W close.
TEST(HelpCommand, EveryControlTheKeyboardReachesHasADistinctName) {
    MachineHelpServices machine;
    Carvel carvel;
    carvel.window->useHelp(machine.services(), QFileInfo(CARVEL_HELP_FILE).path());
    carvel.showActive();
    expectDistinctNames(carvel.window.get());
    carvel.window->flow().SwitchToJoinMode();
    expectDistinctNames(carvel.window.get());
    RecordingShellExecute shell;
    frmAbout about(shell, carvel.messages, frmAbout::Program::Carvel);
    about.show();
    expectDistinctNames(&about);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(about.findChild<QLabel*>("lblWebsite"))->role(),
              QAccessible::Link);
    for (const char* keys : {"Esc", "Ctrl+W"}) {
        carvel.window->flow().mnuhp_Click();
        ASSERT_EQ(machine.viewer().windows().size(), 1u);
        HelpWindow* help = machine.viewer().windows().front();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(help)->role(), QAccessible::Window);
        for (int pane = 0; pane < 3; ++pane) {
            help->findChild<QTabWidget*>("panes")->setCurrentIndex(pane);
            expectDistinctNames(help);
        }
        QApplication::setActiveWindow(help);
        ASSERT_TRUE(QTest::qWaitForWindowActive(help));
        QTest::keySequence(help, QKeySequence(QString::fromLatin1(keys)));
        EXPECT_TRUE(machine.viewer().windows().empty()) << keys;
    }
}

} // namespace
} // namespace carvel::test
