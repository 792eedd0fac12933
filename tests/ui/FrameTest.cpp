#include "JoinPanel.h"
#include "SplitPanel.h"
#include "StatusBar.h"
#include "UiTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

namespace carvel::test {
namespace {

QAction* entry(frmSplitJoin& window, const char* name) {
    return window.findChild<QAction*>(QLatin1String(name));
}

// The enabled states of the five toolbar buttons, as a flag string, after checking that each
// menu entry agrees with its button.
std::string enabledStates(frmSplitJoin& window) {
    const char* const entries[5] = {"mnusp", "mnujn", "mnuab", "mnuhp", "mnuex"};
    std::string states;
    for (int index = 1; index <= 5; ++index) {
        const bool enabled = window.toolbarButton(index)->isEnabled();
        EXPECT_EQ(enabled, entry(window, entries[index - 1])->isEnabled()) << entries[index - 1];
        states += enabled ? 't' : 'f';
    }
    return states;
}

TEST(Frame, LayoutToolbarAndMenusAreAsDesigned) {
    Carvel carvel;
    frmSplitJoin& window = *carvel.window;
    carvel.showActive();

    EXPECT_EQ(window.centralWidget()->width(), 477);
    EXPECT_EQ(window.centralWidget()->height() + window.findChild<QToolBar*>("tbMenu")->height() +
                  window.statusBar1()->height(),
              300);
    EXPECT_EQ(window.minimumSize(), window.maximumSize()); // no resizing
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(window.windowFlags() & Qt::WindowMaximizeButtonHint);

    const char* const keys[5] = {"Split", "Join", "About", "Help", "Exit"};
    for (int index = 1; index <= 5; ++index) {
        QToolButton* button = window.toolbarButton(index);
        EXPECT_EQ(button->text(), QLatin1String(keys[index - 1]));
        EXPECT_EQ(button->size(), QSize(64, 30));
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        EXPECT_TRUE(button->toolTip().isEmpty());
    }

    const std::pair<const char*, const char*> captions[] = {{"mnusp", "&Split"},
                                                            {"mnujn", "&Join"},
                                                            {"mnuex", "&Exit"},
                                                            {"mnuhp", "&Help"},
                                                            {"mnuab", "&About"}};
    for (const auto& [name, caption] : captions)
        EXPECT_EQ(entry(window, name)->text(), QLatin1String(caption)) << name;
    const QList<QAction*> bar = window.menuBar()->actions();
    ASSERT_EQ(bar.size(), 2);
    EXPECT_EQ(bar[0]->text(), "&File");
    EXPECT_EQ(bar[1]->text(), "Help");
    const QList<QAction*> file = bar[0]->menu()->actions();
    ASSERT_EQ(file.size(), 4);
    EXPECT_TRUE(file[2]->isSeparator());
    EXPECT_EQ(file[3]->objectName(), "mnuex");

    auto* split = window.findChild<SplitPanel*>("SplitDialog");
    auto* join = window.findChild<JoinPanel*>("JoinDialog");
    ASSERT_TRUE(split && join);
    EXPECT_EQ(split->title(), "Split File");
    EXPECT_EQ(join->title(), "Join Files");
    EXPECT_EQ(split->geometry(), join->geometry());
    EXPECT_EQ(join->findChild<QWidget*>("cmdSelectJoinFile")->toolTip(), "Select file to join");
    EXPECT_EQ(join->findChild<QWidget*>("cmdSelectJoinTarget")->toolTip(), "Select file to join");
    EXPECT_EQ(split->findChild<QWidget*>("cmdSelectSplitFile")->toolTip(), "Select file to split");
}

TEST(Frame, FirstStateAndModeSwitches) {
    Carvel carvel;
    frmSplitJoin& window = *carvel.window;
    SplitPanel& split = *window.splitPanel();
    JoinPanel& join = *window.joinPanel();
    carvel.showActive();

    EXPECT_EQ(window.windowTitle(), "Split File");
    EXPECT_EQ(window.statusBar1()->pictureRole(), "Split");
    EXPECT_EQ(window.statusBar1()->text(), "");
    EXPECT_EQ(enabledStates(window), "ftttt");
    EXPECT_TRUE(split.isVisible());
    EXPECT_FALSE(join.isVisible());
    EXPECT_TRUE(split.optSizeMode(0)->isChecked());
    EXPECT_EQ(split.flow().SizeMode, 0);
    EXPECT_FALSE(split.cmdSelectSplitFile()->icon().isNull());
    EXPECT_EQ(split.cmdSelectSplitFile()->icon().cacheKey(),
              join.cmdSelectJoinFile()->icon().cacheKey());

    split.cmdSplit()->setEnabled(false);
    join.cmdJoin()->setEnabled(false);
    QTest::mouseClick(window.toolbarButton(2), Qt::LeftButton);
    EXPECT_EQ(window.windowTitle(), "Join Files");
    EXPECT_EQ(window.statusBar1()->text(), "Join File");
    EXPECT_EQ(window.statusBar1()->pictureRole(), "Join");
    EXPECT_EQ(enabledStates(window), "tfttt");
    EXPECT_FALSE(split.isVisible());
    EXPECT_TRUE(join.isVisible());
    EXPECT_TRUE(join.cmdJoin()->isEnabled());
    EXPECT_FALSE(split.cmdSplit()->isEnabled());

    entry(window, "mnusp")->trigger();
    EXPECT_EQ(window.windowTitle(), "Split File");
    EXPECT_EQ(window.statusBar1()->text(), "Split File");
    EXPECT_EQ(enabledStates(window), "ftttt");
    EXPECT_TRUE(split.isVisible());
    EXPECT_FALSE(join.isVisible());
    EXPECT_TRUE(split.cmdSplit()->isEnabled());
}

TEST(Frame, AboutAndHelpEnableEverythingAndKeepThePanel) {
    Carvel carvel;
    frmSplitJoin& window = *carvel.window;
    carvel.showActive();

    QTest::mouseClick(window.toolbarButton(3), Qt::LeftButton);
    EXPECT_EQ(carvel.aboutShown, 1);
    EXPECT_EQ(window.windowTitle(), "About");
    EXPECT_EQ(window.statusBar1()->text(), "About");
    EXPECT_EQ(window.statusBar1()->pictureRole(), "About");
    EXPECT_EQ(enabledStates(window), "ttttt");
    EXPECT_TRUE(window.splitPanel()->isVisible());

    window.flow().SwitchToJoinMode();
    entry(window, "mnuhp")->trigger();
    EXPECT_EQ(window.windowTitle(), "Help");
    EXPECT_EQ(window.statusBar1()->text(), "Help");
    EXPECT_EQ(window.statusBar1()->pictureRole(), "Help");
    EXPECT_EQ(enabledStates(window), "ttttt");
    EXPECT_TRUE(window.joinPanel()->isVisible());

    entry(window, "mnuab")->trigger();
    EXPECT_EQ(carvel.aboutShown, 2);

    // Join after Help gives the full join state back.
    window.flow().tbMenu_ButtonClick("Join");
    EXPECT_EQ(window.windowTitle(), "Join Files");
    EXPECT_EQ(enabledStates(window), "tfttt");
}

TEST(Frame, FlagStringRule) {
    Carvel carvel;
    frmSplitJoin& window = *carvel.window;

    window.flow().ShowTBButton("");
    EXPECT_EQ(enabledStates(window), "fffff");
    window.flow().ShowTBButton("tt");
    EXPECT_EQ(enabledStates(window), "ttfff");
    window.flow().ShowTBButton("tTt t");
    EXPECT_EQ(enabledStates(window), "tftft");
    window.flow().ShowTBButton("fftttXYZ");
    EXPECT_EQ(enabledStates(window), "ffttt");
    window.flow().ShowTBButton("fffff", true);
    EXPECT_EQ(enabledStates(window), "ttttt");
}

TEST(Frame, ToolbarKeysAreCaseSensitiveAndExitCloses) {
    Carvel carvel;
    frmSplitJoin& window = *carvel.window;
    carvel.showActive();

    window.flow().tbMenu_ButtonClick("join");
    window.flow().tbMenu_ButtonClick("ABOUT");
    window.flow().tbMenu_ButtonClick("");
    EXPECT_EQ(window.windowTitle(), "Split File");
    EXPECT_EQ(carvel.aboutShown, 0);
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(window.toolbarButton(5), Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(carvel.messages.shown().empty());
}

TEST(Frame, AnErrorInTheAboutBoxEndsInAMessageNotInTheEventLoop) {
    ScriptedMessageBox messages;
    ScriptedFileDialog dialogs;
    frmSplitJoin window(messages, dialogs, fileSystem(), QString(),
                        [] { throw std::runtime_error("About box missing"); });
    window.flow().Form_Load();
    window.flow().tbMenu_ButtonClick("About");
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "About box missing");
    EXPECT_EQ(messages.shown()[0].caption, "Carvel");
}

TEST(Frame, TheModePictureFitsInsideItsStatusPanel) {
    Carvel carvel;
    carvel.showActive();
    auto* panel = carvel.window->statusBar1()->findChild<QLabel*>("Panel1");
    ASSERT_NE(panel, nullptr);
    auto fits = [panel] {
        const QPixmap shown = panel->pixmap();
        const QSize room = panel->contentsRect().size();
        return !shown.isNull() && shown.width() <= room.width() && shown.height() <= room.height();
    };
    EXPECT_TRUE(fits()) << "start-up";
    carvel.window->flow().SwitchToJoinMode();
    EXPECT_TRUE(fits()) << "join mode";
    EXPECT_EQ(carvel.window->statusBar1()->pictureRole(), "Join");
}

TEST(Frame, InsertKeyTogglesTheInsertPanel) {
    Carvel carvel;
    carvel.showActive();
    QLineEdit* source = carvel.window->splitPanel()->txtSplitSourceFile();
    source->setFocus();
    const bool before = carvel.window->statusBar1()->insertMode();
    QTest::keyClick(source, Qt::Key_Insert);
    EXPECT_NE(carvel.window->statusBar1()->insertMode(), before);
    QTest::keyClick(source, Qt::Key_Insert);
    EXPECT_EQ(carvel.window->statusBar1()->insertMode(), before);
}

// After a mode switch the keys go to the shown panel; Return and Enter press a focused button.
TEST(Frame, KeysReachTheShownPanelAndPressItsButtons) {
    Carvel carvel;
    carvel.showActive();
    QToolButton* start = carvel.window->splitPanel()->cmdSplit();
    QTest::mouseClick(carvel.window->toolbarButton(2), Qt::LeftButton);
    EXPECT_EQ(QApplication::focusWidget(), carvel.window->joinPanel()->txtJoinSourceFile());
    entry(*carvel.window, "mnusp")->trigger();
    EXPECT_EQ(QApplication::focusWidget(), carvel.window->splitPanel()->txtSplitSourceFile());
    int presses = 0;
    QObject::connect(start, &QToolButton::clicked, [&presses] { ++presses; });
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Space})
        QTest::keyClick(start, key);
    EXPECT_EQ(presses, 3);
}

} // namespace
} // namespace carvel::test
