#include "JoinPanel.h"
#include "SplitPanel.h"
#include "StatusBar.h"
#include "UiTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <gtest/gtest.h>

namespace carvel::test {
namespace {

TEST(StartUp, SplitSwitchInEitherCaseFillsTheSourceAsGiven) {
    TempFolder temp;
    const std::string file = temp.makeFile("my file.bin", 2048);
    const QString path = QString::fromStdString(file);
    const std::pair<QString, QString> cases[] = {
        {"-s " + path, path},
        {"-S" + path, path},
        {"-S   " + path + "  ", path},
        {"-s \"" + path + "\"", "\"" + path + "\""},
        {"-S", ""},
        {"-s   ", ""},
    };
    for (const auto& [arguments, expected] : cases) {
        SCOPED_TRACE(arguments.toStdString());
        Carvel carvel(arguments);
        EXPECT_EQ(carvel.window->splitPanel()->txtSplitSourceFile()->text(), expected);
        EXPECT_EQ(carvel.window->windowTitle(), "Split File");
        EXPECT_TRUE(carvel.window->statusBar1()->text().isEmpty());
        EXPECT_TRUE(carvel.messages.shown().empty());
        EXPECT_TRUE(carvel.dialogs.calls().empty());
        EXPECT_TRUE(carvel.window->splitPanel()->isVisibleTo(carvel.window.get()));
    }
    Carvel shown("-s " + path);
    EXPECT_EQ(shown.window->splitPanel()->filesize()->text(), "2 KB");
}

TEST(StartUp, OtherTextsAreIgnored) {
    for (const QString& arguments :
         {QString(), QString("   "), QString(" -S /tmp/x"), QString(" -J /tmp/x.1"),
          QString("/S /tmp/x"), QString("-X -S /tmp/x"), QString("S")}) {
        SCOPED_TRACE(arguments.toStdString());
        Carvel carvel(arguments);
        EXPECT_EQ(carvel.window->windowTitle(), "Split File");
        EXPECT_TRUE(carvel.window->splitPanel()->txtSplitSourceFile()->text().isEmpty());
        EXPECT_TRUE(carvel.window->joinPanel()->txtJoinSourceFile()->text().isEmpty());
        EXPECT_FALSE(carvel.window->joinPanel()->isVisibleTo(carvel.window.get()));
        EXPECT_TRUE(carvel.messages.shown().empty());
    }
}

// The program itself: its arguments are read by the window alone, so Qt's own options among them
// change nothing. An unknown platform would end the program before its window shows.
TEST(StartUp, QtOptionsInTheArgumentsAreNotTakenByQt) {
    QProcess carvel;
    carvel.start(QStringLiteral(CARVEL_PATH), {"-platform", "no-such-platform", "-reverse"});
    ASSERT_TRUE(carvel.waitForStarted(30000));
    EXPECT_FALSE(carvel.waitForFinished(3000))
        << QString::fromLocal8Bit(carvel.readAllStandardError()).toStdString();
    carvel.kill();
    carvel.waitForFinished(30000);
}

TEST(StartUp, JoinSwitchWithAPieceFillsThePattern) {
    for (const QString& arguments : {QString("-J /x/Split Files of a.zip/a.zip.01"),
                                     QString("-j/x/Split Files of a.zip/a.zip.01  ")}) {
        SCOPED_TRACE(arguments.toStdString());
        Carvel carvel(arguments);
        EXPECT_EQ(carvel.window->windowTitle(), "Join Files");
        EXPECT_EQ(carvel.window->statusBar1()->text(), "Join File");
        EXPECT_TRUE(carvel.window->joinPanel()->isVisibleTo(carvel.window.get()));
        EXPECT_FALSE(carvel.window->splitPanel()->isVisibleTo(carvel.window.get()));
        EXPECT_EQ(carvel.window->joinPanel()->txtJoinSourceFile()->text(),
                  "/x/Split Files of a.zip/a.zip.??");
        EXPECT_TRUE(carvel.messages.shown().empty());
        EXPECT_TRUE(carvel.dialogs.calls().empty());
    }
}

TEST(StartUp, JoinSwitchWithoutAPieceWarnsThenOpensTheChooser) {
    const std::pair<QString, std::string> cases[] = {
        {"-j /x/notes.txt", "/x/notes.txt"},
        {"-J \"/x/a.zip.1\"", "\"/x/a.zip.1\""}, // the quote ends the name: not a number
    };
    for (const auto& [arguments, path] : cases) {
        SCOPED_TRACE(arguments.toStdString());
        ScriptedMessageBox messages;
        ScriptedFileDialog dialogs;
        dialogs.setNextFileName("/y/b.bin.3");
        frmSplitJoin window(messages, dialogs, fileSystem(), arguments, {});
        window.flow().Form_Load();
        ASSERT_EQ(messages.shown().size(), 1u);
        EXPECT_EQ(messages.shown()[0].text, "File: " + path + " is not a valid file to Join");
        EXPECT_EQ(messages.shown()[0].caption, "Invalid file selected");
        EXPECT_EQ(messages.shown()[0].icon, MsgIcon::Critical);
        EXPECT_EQ(dialogs.calls().size(), 1u);
        EXPECT_EQ(window.joinPanel()->txtJoinSourceFile()->text(), "/y/b.bin.?");
        EXPECT_EQ(window.windowTitle(), "Join Files");
    }
    Carvel bare("-J "); // as a launcher starts the menu's join action without a file
    EXPECT_EQ(bare.window->windowTitle(), "Join Files");
    EXPECT_TRUE(bare.messages.shown().empty() && bare.dialogs.calls().empty());
    // Cancelling the chooser leaves join mode with empty boxes.
    Carvel cancelled("-J nothing");
    EXPECT_EQ(cancelled.dialogs.calls().size(), 1u);
    EXPECT_EQ(cancelled.window->windowTitle(), "Join Files");
    EXPECT_TRUE(cancelled.window->joinPanel()->txtJoinSourceFile()->text().isEmpty());
}

} // namespace
} // namespace carvel::test
