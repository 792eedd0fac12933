#include "JoinPanel.h"
#include "PieceSet.h"
#include "SplitPanel.h"
#include "UiTestSupport.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLineEdit>
#include <QTest>
#include <QToolButton>
#include <fstream>
#include <gtest/gtest.h>

namespace carvel::test {
namespace {

namespace fs = std::filesystem;

// A join panel alone, as Seamer uses it, with its own scripted dialogs.
struct Panel {
    explicit Panel(JoinPolicy policy) : panel(messages, dialogs, fileSystem(), std::move(policy)) {}
    ScriptedMessageBox messages;
    ScriptedFileDialog dialogs;
    JoinPanel panel;
};

TEST(JoinPanel, ChosenPiecesBecomePatterns) {
    Panel p(JoinPolicy::carvel());
    const std::pair<std::string, std::string> cases[] = {
        {"/b/photos.zip.3", "/b/photos.zip.?"},
        {"/b/photos.zip.07", "/b/photos.zip.??"},
        {"/b/x.001", "/b/x.???"},
        {"/b/x.0001", "/b/x.????"},
        {"/b/x.00001", "/b/x.?????"},
        {"/my.files/data.bin.2", "/my.files/data.bin.?"},
        {"/b/report.2024", "/b/report.????"},
    };
    for (const auto& [chosen, pattern] : cases) {
        p.dialogs.setNextFileName(chosen);
        QTest::mouseClick(p.panel.cmdSelectJoinFile(), Qt::LeftButton);
        EXPECT_EQ(p.panel.txtJoinSourceFile()->text().toStdString(), pattern) << chosen;
    }
    EXPECT_TRUE(p.messages.shown().empty());
}

TEST(JoinPanel, CarvelRefusesANonPieceAndReopensUntilCancel) {
    Panel p(JoinPolicy::carvel());
    p.panel.txtJoinSourceFile()->setText("/b/keep.?");
    p.dialogs.setNextFileName("/b/notes.txt");
    p.dialogs.setNextFileName("/b/folder.5/readme");
    p.dialogs.setNextCancel();
    p.panel.flow().cmdSelectJoinFile_Click();
    ASSERT_EQ(p.messages.shown().size(), 2u);
    EXPECT_EQ(p.messages.shown()[0].text, "File: /b/notes.txt is not a valid file to Join");
    EXPECT_EQ(p.messages.shown()[0].caption, "Invalid file selected");
    EXPECT_EQ(p.messages.shown()[0].icon, MsgIcon::Critical);
    EXPECT_EQ(p.messages.shown()[0].buttons, MsgButtons::Ok);
    EXPECT_EQ(p.dialogs.calls().size(), 3u);
    EXPECT_EQ(p.panel.txtJoinSourceFile()->text(), "/b/keep.?");

    // Destinations: a piece name loses its number, a plain name stays, a one-dot number is
    // refused and the save dialog opens again.
    p.messages.clear();
    p.dialogs.setNextFileName("/o/backup.001");
    p.dialogs.setNextFileName("/o/photos.zip.1");
    p.panel.flow().cmdSelectJoinTarget_Click();
    EXPECT_EQ(p.panel.txtJoinDestination()->text(), "/o/photos.zip");
    ASSERT_EQ(p.messages.shown().size(), 1u);
    EXPECT_EQ(p.messages.shown()[0].text, "Invalid file selected.");
    EXPECT_EQ(p.messages.shown()[0].caption, "Invalid file selected");
    EXPECT_EQ(p.messages.shown()[0].icon, MsgIcon::Critical);
    p.dialogs.setNextFileName("/o/movie.avi");
    p.panel.flow().cmdSelectJoinTarget_Click();
    EXPECT_EQ(p.panel.txtJoinDestination()->text(), "/o/movie.avi");
    p.dialogs.setNextCancel();
    p.panel.flow().cmdSelectJoinTarget_Click();
    EXPECT_EQ(p.panel.txtJoinDestination()->text(), "/o/movie.avi");
    EXPECT_EQ(p.dialogs.calls().back(), ScriptedFileDialog::Kind::Save);
}

TEST(JoinPanel, SeamerAsksRetryOrCancel) {
    Panel p(JoinPolicy::seamer());
    p.dialogs.setNextFileName("/b/notes.txt");
    p.dialogs.setNextFileName("/b/notes.doc");
    p.messages.setNextAnswer(MsgAnswer::Retry);
    p.messages.setNextAnswer(MsgAnswer::Cancel);
    p.panel.flow().cmdSelectJoinFile_Click();
    ASSERT_EQ(p.messages.shown().size(), 2u);
    EXPECT_EQ(p.messages.shown()[0].text, "Invalid file selected.");
    EXPECT_EQ(p.messages.shown()[0].caption, "Error");
    EXPECT_EQ(p.messages.shown()[0].buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(p.messages.shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(p.dialogs.calls().size(), 2u); // Cancel ended the choice
    EXPECT_EQ(p.panel.txtJoinSourceFile()->text(), "");

    p.messages.clear();
    p.messages.setNextAnswer(MsgAnswer::Cancel);
    p.dialogs.setNextFileName("/o/backup.001");
    p.panel.flow().cmdSelectJoinTarget_Click();
    ASSERT_EQ(p.messages.shown().size(), 1u);
    EXPECT_EQ(p.messages.shown()[0].buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(p.panel.txtJoinDestination()->text(), "");
}

// Splits a file of size bytes into pieces of pieceSize beside it; returns the source path.
std::string makeSet(Carvel& carvel, const TempFolder& temp, const std::string& name,
                    std::size_t size, int pieceKb) {
    const std::string source = temp.makeFile(name, size);
    carvel.window->splitPanel()->txtSplitSourceFile()->setText(QString::fromStdString(source));
    carvel.window->splitPanel()->txtMaxChunkSize()->setText(QString::number(pieceKb));
    carvel.window->splitPanel()->flow().cmdSplit_Click();
    waitForWork(*carvel.window->splitPanel());
    carvel.messages.clear();
    return source;
}

TEST(JoinPanel, JoinFromTheWindowAndEachAnswerToTheOverwriteQuestion) {
    TempFolder temp;
    Carvel carvel;
    carvel.showActive();
    const std::string source = makeSet(carvel, temp, "disk.img", 12 * 1024 + 7, 1);
    const std::string folder = PieceSet::pieceFolder(fileSystem(), source);
    JoinPanel& join = *carvel.window->joinPanel();
    carvel.window->flow().SwitchToJoinMode();

    carvel.dialogs.setNextFileName(PieceSet::piecePath(folder, "disk.img", 7, 2));
    QTest::mouseClick(join.cmdSelectJoinFile(), Qt::LeftButton);
    EXPECT_EQ(join.txtJoinSourceFile()->text().toStdString(),
              PieceSet::piecePattern(folder, "disk.img", 2));
    const std::string destination = (temp.path() / "out" / "disk.img").string();
    fs::create_directories(temp.path() / "out");
    carvel.dialogs.setNextFileName(destination + ".1");
    QTest::mouseClick(join.cmdSelectJoinTarget(), Qt::LeftButton);
    EXPECT_EQ(join.txtJoinDestination()->text().toStdString(), destination);

    QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
    waitForWork(join);
    ASSERT_EQ(carvel.messages.shown().size(), 1u);
    EXPECT_EQ(carvel.messages.shown()[0].text,
              "13 files have been joined with the name of " + destination);
    EXPECT_EQ(carvel.messages.shown()[0].caption, "Carvel");
    EXPECT_EQ(carvel.messages.shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(readAll(destination), readAll(source));
    EXPECT_TRUE(join.cmdJoin()->isEnabled());
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    // No and Cancel leave the existing destination as it is.
    { std::ofstream(destination, std::ios::trunc) << "keep me"; }
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        carvel.messages.clear();
        carvel.messages.setNextAnswer(answer);
        QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
        waitForWork(join);
        ASSERT_EQ(carvel.messages.shown().size(), 2u);
        const MessageRequest& question = carvel.messages.shown()[0];
        EXPECT_EQ(question.text, "File with the name of " + destination +
                                     " already exist. Do you want to overwrite it?");
        EXPECT_EQ(question.caption, "Overwrite File");
        EXPECT_EQ(question.buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(question.icon, MsgIcon::None);
        EXPECT_EQ(carvel.messages.shown()[1].text, "Can not join file.");
        EXPECT_EQ(carvel.messages.shown()[1].caption, "Join Failed");
        EXPECT_EQ(QApplication::focusWidget(), join.txtJoinDestination());
        EXPECT_EQ(readAll(destination), "keep me");
    }
    carvel.messages.clear();
    carvel.messages.setNextAnswer(MsgAnswer::Yes);
    QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
    waitForWork(join);
    ASSERT_EQ(carvel.messages.shown().size(), 2u);
    EXPECT_EQ(carvel.messages.shown()[1].text,
              "13 files have been joined with the name of " + destination);
    EXPECT_EQ(readAll(destination), readAll(source));
}

TEST(JoinPanel, EachCheckRefusesWithItsMessageAndFocusAndTouchesNothing) {
    TempFolder temp;
    Carvel carvel;
    carvel.showActive();
    const std::string source = makeSet(carvel, temp, "a.b", 2500, 1);
    const std::string folder = PieceSet::pieceFolder(fileSystem(), source);
    const std::string pattern = PieceSet::piecePattern(folder, "a.b", 1);
    JoinPanel& join = *carvel.window->joinPanel();
    carvel.window->flow().SwitchToJoinMode();
    fs::rename(PieceSet::piecePath(folder, "a.b", 1, 1), folder + "/moved");

    struct Case {
        std::string source, destination, text, caption;
        QLineEdit* focus;
    };
    const Case cases[] = {
        {"  ", "/x", "You have not selected any file to join.", "Error", join.txtJoinSourceFile()},
        {pattern, "/x", "Source file does not exist!!!", "Error", join.txtJoinSourceFile()},
        {PieceSet::piecePattern(temp.path().string(), "a.b", 1), " ",
         "Source file does not exist!!!", "Error", join.txtJoinSourceFile()},
    };
    const auto before = snapshot(temp.path());
    for (const Case& test : cases) {
        SCOPED_TRACE(test.text);
        carvel.messages.clear();
        join.txtJoinSourceFile()->setText(QString::fromStdString(test.source));
        join.txtJoinDestination()->setText(QString::fromStdString(test.destination));
        QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
        waitForWork(join);
        ASSERT_EQ(carvel.messages.shown().size(), 1u);
        EXPECT_EQ(carvel.messages.shown()[0].text, test.text);
        EXPECT_EQ(carvel.messages.shown()[0].caption, test.caption);
        EXPECT_EQ(carvel.messages.shown()[0].icon, MsgIcon::Critical);
        EXPECT_EQ(QApplication::focusWidget(), test.focus);
    }
    EXPECT_EQ(snapshot(temp.path()), before);

    // With piece 1 back: a missing destination, then one equal to the source box.
    fs::rename(folder + "/moved", PieceSet::piecePath(folder, "a.b", 1, 1));
    const auto restored = snapshot(temp.path());
    const std::pair<std::string, std::string> later[] = {
        {"   ", "You have not enterd destination file name."},
        {" " + pattern + " ", "Destination file name is incorrect."}};
    for (const auto& [destination, text] : later) {
        carvel.messages.clear();
        join.txtJoinSourceFile()->setText(QString::fromStdString(pattern));
        join.txtJoinDestination()->setText(QString::fromStdString(destination));
        join.cmdSelectJoinFile()->setFocus();
        QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
        waitForWork(join);
        ASSERT_EQ(carvel.messages.shown().size(), 1u);
        EXPECT_EQ(carvel.messages.shown()[0].text, text);
        EXPECT_EQ(carvel.messages.shown()[0].caption, "Error");
        EXPECT_EQ(QApplication::focusWidget(), join.txtJoinDestination());
    }
    EXPECT_EQ(snapshot(temp.path()), restored);
}

TEST(JoinPanel, SeamerDisablesStartAfterASuccessfulJoinOnly) {
    TempFolder temp;
    Carvel carvel;
    const std::string source = makeSet(carvel, temp, "s.dat", 3000, 1);
    const std::string folder = PieceSet::pieceFolder(fileSystem(), source);
    Panel p(JoinPolicy::seamer());
    p.panel.txtJoinSourceFile()->setText(
        QString::fromStdString(PieceSet::piecePattern(folder, "s.dat", 1)));
    p.panel.txtJoinDestination()->setText(QString::fromStdString(source));
    p.messages.setNextAnswer(MsgAnswer::No);
    p.panel.flow().cmdJoin_Click();
    waitForWork(p.panel);
    EXPECT_TRUE(p.panel.cmdJoin()->isEnabled());

    p.messages.clear();
    p.messages.setNextAnswer(MsgAnswer::Yes);
    p.panel.flow().cmdJoin_Click();
    waitForWork(p.panel);
    ASSERT_EQ(p.messages.shown().size(), 2u);
    EXPECT_EQ(p.messages.shown()[1].text, "3 files have been joined with the name of " + source);
    EXPECT_EQ(p.messages.shown()[1].caption, "Seamer");
    EXPECT_FALSE(p.panel.cmdJoin()->isEnabled());
}

} // namespace
} // namespace carvel::test
