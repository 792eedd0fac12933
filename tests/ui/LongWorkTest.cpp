#include "GatedFileSystem.h"
#include "JoinPanel.h"
#include "PieceSet.h"
#include "SplitPanel.h"
#include "StatusBar.h"
#include "StopOnSignals.h"
#include "UiTestSupport.h"

#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTest>
#include <QToolButton>
#include <csignal>
#include <fstream>
#include <gtest/gtest.h>

namespace carvel::test {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kSourceBytes = 2 * 1024 * 1024; // eight pieces of 256 KB

// A window over a file system that holds the third copy, so that the test acts while the work
// is surely in the middle of the set.
struct HeldWork {
    explicit HeldWork(const std::string& sourceName)
        : source(temp.makeFile(sourceName, kSourceBytes)) {
        carvel.showActive();
    }
    void startSplit() {
        split().txtSplitSourceFile()->setText(QString::fromStdString(source));
        split().txtMaxChunkSize()->setText("256");
        QTest::mouseClick(split().cmdSplit(), Qt::LeftButton);
        ASSERT_TRUE(QTest::qWaitFor([this] { return gated.held(); }));
    }
    SplitPanel& split() { return *carvel.window->splitPanel(); }
    StatusBar& bar() { return *carvel.window->statusBar1(); }

    TempFolder temp;
    std::string source;
    GatedFileSystem gated{fileSystem(), 3};
    Carvel carvel{QString(), &gated};
};

TEST(LongWork, ProgressShowsWhileOnlyCancelIsLiveAndTheIdleBarComesBack) {
    HeldWork work("movie.avi");
    auto* progress = work.bar().findChild<QProgressBar*>();
    ASSERT_NE(progress, nullptr);
    int highest = -1;
    QObject::connect(progress, &QProgressBar::valueChanged,
                     [&](int value) { highest = std::max(highest, value); });
    const QString idleText = work.bar().text();
    work.startSplit();
    // Two of eight pieces are done while the third is held; the checksums, hashed beside the
    // copying, may still be behind them when the last step was reported.
    const QRegularExpression heldAt("Splitting ([0-9]|1[0-9]|2[0-5])%");
    EXPECT_TRUE(QTest::qWaitFor([&] { return heldAt.match(work.bar().text()).hasMatch(); }))
        << work.bar().text().toStdString();
    EXPECT_TRUE(progress->isVisible());
    EXPECT_FALSE(work.split().txtSplitSourceFile()->isEnabled());
    EXPECT_FALSE(work.split().txtMaxChunkSize()->isEnabled());
    EXPECT_FALSE(work.split().optSizeMode(1)->isEnabled());
    EXPECT_EQ(work.split().cmdSplit()->text(), "Cancel");
    EXPECT_TRUE(work.split().cmdSplit()->isEnabled());
    EXPECT_FALSE(work.carvel.window->toolbarButton(2)->isEnabled()); // Join
    EXPECT_TRUE(work.carvel.window->toolbarButton(3)->isEnabled());  // About
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);

    work.gated.release();
    waitForWork(work.split());
    EXPECT_EQ(highest, progress->maximum());
    EXPECT_FALSE(progress->isVisible());
    EXPECT_EQ(work.bar().text(), idleText);
    EXPECT_TRUE(work.bar().findChild<QLabel*>("Panel4")->isVisible()); // the date is back
    EXPECT_EQ(work.split().cmdSplit()->text(), "Start");
    EXPECT_TRUE(work.split().txtSplitSourceFile()->isEnabled());
    EXPECT_TRUE(work.carvel.window->toolbarButton(2)->isEnabled());
    EXPECT_FALSE(work.carvel.window->toolbarButton(1)->isEnabled()); // still in split mode
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    ASSERT_EQ(work.carvel.messages.shown().size(), 1u);
    EXPECT_EQ(work.carvel.messages.shown()[0].text,
              "File is splited into 8 subfiles in folder " +
                  PieceSet::pieceFolder(fileSystem(), work.source));
}

TEST(LongWork, CancelledSplitAndJoinLeaveNothingOfTheRunAndSayItOnce) {
    HeldWork work("movie.avi");
    const std::string folder = PieceSet::pieceFolder(fileSystem(), work.source);
    work.temp.makeFile("Split Files of movie.avi/movie.avi.1", 10); // an old set, replaced on Yes
    work.carvel.messages.setNextAnswer(MsgAnswer::Yes);
    work.startSplit();
    QTest::keyClick(work.carvel.window.get(), Qt::Key_Escape);
    work.gated.release();
    waitForWork(work.split());
    ASSERT_EQ(work.carvel.messages.shown().size(), 2u); // the folder question, then one message
    EXPECT_EQ(work.carvel.messages.shown()[1].text,
              "The split of " + work.source + " was cancelled. No pieces were kept.");
    EXPECT_EQ(work.carvel.messages.shown()[1].caption, "Carvel");
    EXPECT_EQ(snapshot(work.temp.path()),
              (std::map<std::string, long long>{{work.source, kSourceBytes}}));
    EXPECT_EQ(work.split().cmdSplit()->text(), "Start");

    // A whole set and an old destination; the join is stopped with the Cancel control.
    ScriptedMessageBox quiet;
    ASSERT_EQ(mdlMain(fileSystem(), quiet, "Carvel").SplitFile(work.source, 256 * 1024), 8);
    const std::string destination = (work.temp.path() / "back.avi").string();
    { std::ofstream(destination) << "old"; }
    const auto before = snapshot(work.temp.path());
    GatedFileSystem gated(fileSystem(), 3);
    Carvel carvel(QString(), &gated);
    carvel.showActive();
    carvel.window->flow().SwitchToJoinMode();
    JoinPanel& join = *carvel.window->joinPanel();
    join.txtJoinSourceFile()->setText(
        QString::fromStdString(PieceSet::piecePattern(folder, "movie.avi", 1)));
    join.txtJoinDestination()->setText(QString::fromStdString(destination));
    carvel.messages.setNextAnswer(MsgAnswer::Yes);
    QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gated.held(); }));
    EXPECT_EQ(join.cmdJoin()->text(), "Cancel");
    QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
    gated.release();
    waitForWork(join);
    ASSERT_EQ(carvel.messages.shown().size(), 2u); // the overwrite question, then one message
    EXPECT_EQ(carvel.messages.shown()[1].text, "The join into " + destination + " was cancelled. " +
                                                   destination + " was left as it was.");
    EXPECT_EQ(carvel.messages.shown()[1].icon, MsgIcon::Information);
    EXPECT_EQ(readAll(destination), "old");
    EXPECT_EQ(snapshot(work.temp.path()), before); // no temporary file either
    EXPECT_TRUE(join.cmdJoin()->isEnabled());
}

TEST(LongWork, TheCloseBoxDuringWorkAsksAndYesStopsThenCloses) {
    HeldWork work("movie.avi");
    work.startSplit();
    work.carvel.window->close(); // the default answer is No
    ASSERT_EQ(work.carvel.messages.shown().size(), 1u);
    const MessageRequest& question = work.carvel.messages.shown()[0];
    EXPECT_EQ(question.text, "The split of " + work.source +
                                 " is not finished. Do you want to stop it and close Carvel?");
    EXPECT_EQ(question.caption, "Carvel");
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(question.defaultButton, MsgAnswer::No);
    EXPECT_TRUE(work.carvel.window->isVisible());
    EXPECT_TRUE(work.split().isWorking());

    work.carvel.messages.setNextAnswer(MsgAnswer::Yes);
    work.carvel.window->close();
    work.gated.release();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !work.carvel.window->isVisible(); }));
    EXPECT_EQ(work.carvel.messages.shown().size(), 2u); // no message after Yes
    EXPECT_EQ(snapshot(work.temp.path()),
              (std::map<std::string, long long>{{work.source, kSourceBytes}}));
}

TEST(LongWork, WorkThatEndsWhileTheCloseQuestionIsOpenTakesItBackAndReportsOnce) {
    HeldWork work("movie.avi");
    work.startSplit();
    bool takenBack = false;
    work.carvel.messages.whileShown([&](const MessageRequest& box) {
        takenBack = box.buttons == MsgButtons::Ok &&
                    work.carvel.messages.shown()[0].withdrawal->withdrawn();
        work.gated.release(); // the work ends while the question is open
        waitForWork(work.split());
    });
    work.carvel.window->close();
    ASSERT_EQ(work.carvel.messages.shown().size(), 2u); // the question, then the split's outcome
    EXPECT_TRUE(takenBack);
    EXPECT_TRUE(work.carvel.window->isVisible());
}

TEST(LongWork, ARefusedJoinsProgressStandsStillWhileItsMessageWaitsAndNeverShowsTheWhole) {
    HeldWork work("movie.avi");
    ScriptedMessageBox quiet;
    ASSERT_EQ(mdlMain(fileSystem(), quiet, "Carvel").SplitFile(work.source, 256 * 1024), 8);
    const std::string folder = PieceSet::pieceFolder(fileSystem(), work.source);
    std::ofstream(folder + "/movie.avi.8", std::ios::in | std::ios::out) << '\xAA'; // damaged
    work.carvel.window->flow().SwitchToJoinMode();
    JoinPanel& join = *work.carvel.window->joinPanel();
    join.flow().MakeJoinPattern(folder + "/movie.avi.1");
    join.txtJoinDestination()->setText(QString::fromStdString(work.source + ".back"));
    const auto* rate = work.bar().findChild<QWidget*>("Progress")->findChild<QLabel*>();
    QStringList seen; // while the damaged piece is reported, and a moment later
    work.carvel.messages.whileShown([&](const MessageRequest&) {
        if (!seen.isEmpty())
            return;
        seen << work.bar().text() + " " + rate->text();
        QTest::qWait(500);
        seen << work.bar().text() + " " + rate->text();
    });
    work.gated.release();
    QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
    waitForWork(join);
    ASSERT_EQ(seen.size(), 2);
    EXPECT_EQ(seen[0], seen[1]);
    EXPECT_FALSE(seen[0].contains("100%")) << seen[0].toStdString();
}

TEST(LongWork, ASignalStopsTheWorkAndEndsTheProgramWithoutAMessage) {
    HeldWork work("movie.avi");
    int calls = 0;
    {
        const StopOnSignals stop([&] {
            ++calls;
            work.carvel.window->flow().stopAndQuit();
        });
        work.startSplit();
        std::raise(SIGHUP);
        ASSERT_TRUE(QTest::qWaitFor([&] { return calls == 1; })); // reached the window's thread
        work.gated.release();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !work.carvel.window->isVisible(); }));
    }
    EXPECT_TRUE(work.carvel.messages.shown().empty());
    EXPECT_EQ(snapshot(work.temp.path()),
              (std::map<std::string, long long>{{work.source, kSourceBytes}}));
}

} // namespace
} // namespace carvel::test
