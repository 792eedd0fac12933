#include "AccessibleNames.h"
#include "Artwork.h"
#include "FileDrops.h"
#include "FileSystem.h"
#include "GatedFileSystem.h"
#include "JoinPanel.h"
#include "RecordingShellExecute.h"
#include "ScriptedFileDialog.h"
#include "ScriptedMessageBox.h"
#include "StatusBar.h"
#include "frmSplitJoin.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>
#include <sstream>

namespace carvel::joiner {
namespace {

namespace fs = std::filesystem;
using Kind = ScriptedFileDialog::Kind;

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        std::random_device seed;
        m_path = fs::temp_directory_path() / ("seamer-test-" + std::to_string(seed()));
        fs::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    std::string file(const std::string& name, const std::string& bytes) const {
        const fs::path path = m_path / name;
        std::ofstream(path, std::ios::binary) << bytes;
        return path.string();
    }
    std::string path(const std::string& name) const { return (m_path / name).string(); }

private:
    fs::path m_path;
};

std::string readAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// Answers as scripted, and notes for every box whether the busy pointer was showing.
class PointerWatchingMessageBox final : public IMessageBox {
public:
    MsgAnswer show(const MessageRequest& request) override {
        busyAtShow.push_back(QGuiApplication::overrideCursor() != nullptr);
        return scripted.show(request);
    }
    const std::vector<MessageRequest>& shown() const { return scripted.shown(); }

    ScriptedMessageBox scripted;
    std::vector<bool> busyAtShow;
};

// Seamer's window with scripted dialogs over the real file system, shown as a user sees it.
struct Seamer {
    Seamer() : window(messages, dialogs, fileSystem(), shell) { window.show(); }

    JoinPanel* panel() const { return window.joinPanel(); }
    QString source() const { return panel()->txtJoinSourceFile()->text(); }
    QString destination() const { return panel()->txtJoinDestination()->text(); }
    // Clicks Start and waits until the join it began has ended and reported its result.
    void clickStart() {
        QTest::mouseClick(panel()->cmdJoin(), Qt::LeftButton);
        (void)QTest::qWaitFor([this] { return !panel()->isWorking(); }, 60000);
    }
    void choosePiece(const std::string& name) {
        dialogs.setNextFileName(name);
        QTest::mouseClick(panel()->cmdSelectJoinFile(), Qt::LeftButton);
    }
    void chooseDestination(const std::string& name) {
        dialogs.setNextFileName(name);
        QTest::mouseClick(panel()->cmdSelectJoinTarget(), Qt::LeftButton);
    }
    QAction* menuEntry(const char* name) const {
        return window.findChild<QAction*>(QLatin1String(name));
    }

    PointerWatchingMessageBox messages;
    ScriptedFileDialog dialogs;
    RecordingShellExecute shell;
    frmSplitJoin window;
};

// Three pieces of one set in a folder of their own; the pieces' bytes joined are `whole`.
struct PieceSet3 {
    explicit PieceSet3(const TempFolder& temp) {
        const std::string parts[3] = {std::string(700, 'a') + "\r\n", std::string("\0b\x1a", 3),
                                      "last piece"};
        for (int i = 0; i < 3; ++i) {
            pieces[i] = temp.file("photos.zip." + std::to_string(i + 1), parts[i]);
            whole += parts[i];
        }
        pattern = temp.path("photos.zip.?");
    }
    std::string pieces[3];
    std::string pattern;
    std::string whole;
};

// Closes the next modal box once it shows, and tells its caption.
class ModalCloser {
public:
    ModalCloser() {
        QTimer::singleShot(0, [this] {
            if (QWidget* box = QApplication::activeModalWidget()) {
                m_caption = box->windowTitle();
                box->close();
            }
        });
    }
    ~ModalCloser() { QCoreApplication::processEvents(); }
    const QString& caption() const { return m_caption; }

private:
    QString m_caption;
};

bool aboutEnabled(const Seamer& s) {
    return s.window.toolbarButton(1)->isEnabled() && s.menuEntry("mnuab")->isEnabled();
}
bool exitEnabled(const Seamer& s) {
    return s.window.toolbarButton(2)->isEnabled() && s.menuEntry("mnuex")->isEnabled();
}

// The window a user meets at start.
TEST(SeamerStart, ShowsAnEmptyJoinPanelAndAsksNothing) {
    Seamer s;
    expectDistinctNames(&s.window);
    EXPECT_EQ(s.window.windowTitle(), QStringLiteral("Join File"));
    EXPECT_TRUE(s.panel()->isVisible());
    EXPECT_EQ(s.panel()->title(), QStringLiteral("Join Files"));
    EXPECT_EQ(s.source(), QString());
    EXPECT_EQ(s.destination(), QString());
    EXPECT_TRUE(s.panel()->cmdJoin()->isEnabled());
    EXPECT_EQ(s.window.statusBar1()->pictureRole(), QStringLiteral("Join"));
    EXPECT_EQ(s.window.statusBar1()->text(), QString());

    // Two buttons, About and Exit, and one File menu with About, a separator and Exit.
    const auto buttons = s.window.findChild<QToolBar*>(QStringLiteral("tbMenu"))
                             ->findChildren<QToolButton*>(QString(), Qt::FindDirectChildrenOnly);
    QStringList captions;
    for (const QToolButton* button : buttons)
        if (button->isVisible())
            captions << button->text();
    EXPECT_EQ(captions, QStringList({"About", "Exit"}));
    EXPECT_TRUE(aboutEnabled(s));
    EXPECT_TRUE(exitEnabled(s));
    const QList<QAction*> menus = s.window.menuBar()->actions();
    ASSERT_EQ(menus.size(), 1);
    EXPECT_EQ(menus[0]->text(), QStringLiteral("&File"));
    QStringList entries;
    for (const QAction* entry : menus[0]->menu()->actions())
        entries << (entry->isSeparator() ? QStringLiteral("-") : entry->text());
    EXPECT_EQ(entries, QStringList({"&About", "-", "&Exit"}));

    EXPECT_TRUE(s.dialogs.calls().empty());
    EXPECT_TRUE(s.messages.shown().empty());
}

// Seamer's window has the frame of Carvel's: the same client area, toolbar buttons, panel place
// and status bar, and no resizing.
TEST(SeamerStart, TheWindowHasTheFrameOfCarvels) {
    Seamer s;
    const auto* toolbar = s.window.findChild<QToolBar*>(QStringLiteral("tbMenu"));
    ASSERT_NE(toolbar, nullptr);
    EXPECT_EQ(s.window.centralWidget()->width(), 477);
    EXPECT_EQ(toolbar->height() + s.window.centralWidget()->height() +
                  s.window.statusBar1()->height(),
              300);
    EXPECT_EQ(s.window.minimumSize(), s.window.maximumSize());
    // Seamer's own icon, the one installed for its menu entry.
    EXPECT_EQ(s.window.windowIcon().pixmap(32, 32).toImage(),
              Artwork::programIcon(Artwork::ProgramIcon::Seamer, 32).toImage());
    EXPECT_FALSE(s.window.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_FALSE(s.window.windowFlags() & Qt::WindowMaximizeButtonHint);

    // The panel frame at left 120, top 840 twips of the client area, which starts at the toolbar.
    const QPoint client = toolbar->mapTo(&s.window, QPoint(0, 0));
    EXPECT_EQ(s.panel()->mapTo(&s.window, QPoint(0, 0)) - client, QPoint(8, 56));
    EXPECT_EQ(s.panel()->size(), QSize(457, 177));

    for (int index = 1; index <= 2; ++index) {
        const QToolButton* button = s.window.toolbarButton(index);
        EXPECT_EQ(button->size(), QSize(64, 30));
        EXPECT_EQ(button->toolButtonStyle(), Qt::ToolButtonTextBesideIcon);
        EXPECT_FALSE(button->icon().isNull());
        EXPECT_TRUE(button->toolTip().isEmpty());
    }
}

// A piece on the command line, as a file manager's "Open with" gives it, starts Seamer with its
// set chosen; a file that is no piece is refused as a chosen one is, and Retry opens the chooser.
TEST(SeamerStart, APieceOnTheCommandLineStartsWithItsSetChosen) {
    TempFolder temp;
    const PieceSet3 set(temp);
    {
        Seamer s;
        s.window.readCommandLine(QStringLiteral("   "));
        s.window.readCommandLine(" " + QString::fromStdString(set.pieces[1]) + " ");
        EXPECT_EQ(s.source().toStdString(), set.pattern);
        EXPECT_EQ(s.destination(), QString());
        EXPECT_TRUE(s.messages.shown().empty());
        EXPECT_TRUE(s.dialogs.calls().empty());
    }
    Seamer s;
    const std::string notes = temp.file("notes.txt", "text");
    s.messages.scripted.setNextAnswer(MsgAnswer::Cancel);
    s.window.readCommandLine(QString::fromStdString(notes));
    ASSERT_EQ(s.messages.shown().size(), 1u);
    EXPECT_EQ(s.messages.shown()[0].text, "Invalid file selected.");
    EXPECT_EQ(s.messages.shown()[0].caption, "Error");
    EXPECT_EQ(s.messages.shown()[0].buttons, MsgButtons::RetryCancel);
    EXPECT_TRUE(s.dialogs.calls().empty());
    EXPECT_EQ(s.source(), QString());

    s.messages.scripted.setNextAnswer(MsgAnswer::Retry);
    s.dialogs.setNextFileName(set.pieces[2]);
    s.window.readCommandLine(QString::fromStdString(notes));
    EXPECT_EQ(s.messages.shown().size(), 2u);
    EXPECT_EQ(s.dialogs.calls(), std::vector<Kind>{Kind::Open});
    EXPECT_EQ(s.dialogs.starts(), std::vector<std::string>{notes});
    EXPECT_EQ(s.source().toStdString(), set.pattern);
}

// The program itself, not only its window: Qt must not take its own options out of the
// arguments. An unknown platform would end the program before its window shows; Seamer takes
// the arguments for a file name instead and asks about it; a stop signal then ends it cleanly.
TEST(SeamerStart, QtOptionsAmongTheArgumentsAreIgnoredToo) {
    QProcess seamer;
    seamer.start(QStringLiteral(SEAMER_PATH), {"-platform", "no-such-platform", "-reverse"});
    ASSERT_TRUE(seamer.waitForStarted(30000));
    ASSERT_FALSE(seamer.waitForFinished(3000))
        << QString::fromLocal8Bit(seamer.readAllStandardError()).toStdString();
    ::kill(static_cast<pid_t>(seamer.processId()), SIGTERM);
    EXPECT_TRUE(seamer.waitForFinished(10000));
    EXPECT_EQ(seamer.exitStatus(), QProcess::NormalExit);
}

TEST(SeamerChoosers, AFileThatIsNoPieceAsksRetryOrCancel) {
    TempFolder temp;
    const PieceSet3 set(temp);
    Seamer s;

    // Retry opens the dialog again, and the piece then chosen is taken.
    s.dialogs.setNextFileName(temp.path("notes.txt"));
    s.messages.scripted.setNextAnswer(MsgAnswer::Retry);
    s.choosePiece(set.pieces[2]);
    ASSERT_EQ(s.messages.shown().size(), 1u);
    const MessageRequest& refusal = s.messages.shown()[0];
    EXPECT_EQ(refusal.text, "Invalid file selected.");
    EXPECT_EQ(refusal.caption, "Error");
    EXPECT_EQ(refusal.buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(refusal.icon, MsgIcon::None);
    EXPECT_EQ(s.dialogs.calls(), (std::vector<Kind>{Kind::Open, Kind::Open}));
    EXPECT_EQ(s.source().toStdString(), set.pattern);

    // Cancel ends the choice and leaves the box as it was.
    s.messages.scripted.setNextAnswer(MsgAnswer::Cancel);
    s.choosePiece(temp.path("notes.txt"));
    EXPECT_EQ(s.messages.shown().size(), 2u);
    EXPECT_EQ(s.dialogs.calls().size(), 3u);
    EXPECT_EQ(s.source().toStdString(), set.pattern);
}

TEST(SeamerChoosers, ADroppedFileGoesThroughThePieceCheck) {
    TempFolder temp;
    const PieceSet3 set(temp);
    Seamer s;
    EXPECT_TRUE(test::dropFiles(&s.window, {QString::fromStdString(set.pieces[1])}));
    EXPECT_EQ(s.source().toStdString(), set.pattern);
    // No piece: Retry opens the chooser.
    s.messages.scripted.setNextAnswer(MsgAnswer::Retry);
    EXPECT_TRUE(test::dropFiles(&s.window, {QString::fromStdString(temp.file("notes.txt", "x"))}));
    ASSERT_EQ(s.messages.shown().size(), 1u);
    EXPECT_EQ(s.messages.shown()[0].text, "Invalid file selected.");
    EXPECT_EQ(s.dialogs.calls(), std::vector<Kind>{Kind::Open});
}

TEST(SeamerChoosers, ADestinationNamedLikeAOnePartPieceAsksRetryOrCancel) {
    Seamer s;
    s.dialogs.setNextFileName("/out/backup.001");
    s.messages.scripted.setNextAnswer(MsgAnswer::Retry);
    s.chooseDestination("/out/photos.zip.1");
    ASSERT_EQ(s.messages.shown().size(), 1u);
    EXPECT_EQ(s.messages.shown()[0].text, "Invalid file selected.");
    EXPECT_EQ(s.messages.shown()[0].caption, "Error");
    EXPECT_EQ(s.messages.shown()[0].buttons, MsgButtons::RetryCancel);
    EXPECT_EQ(s.messages.shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(s.dialogs.calls(), (std::vector<Kind>{Kind::Save, Kind::Save}));
    EXPECT_EQ(s.destination(), QStringLiteral("/out/photos.zip"));

    s.messages.scripted.setNextAnswer(MsgAnswer::Cancel);
    s.chooseDestination("/out/backup.001");
    EXPECT_EQ(s.dialogs.calls().size(), 3u);
    EXPECT_EQ(s.destination(), QStringLiteral("/out/photos.zip"));
}

TEST(SeamerJoin, OneSuccessfulJoinDisablesStartUntilTheProgramEnds) {
    TempFolder temp;
    const PieceSet3 set(temp);
    Seamer s;
    s.choosePiece(set.pieces[0]);
    s.chooseDestination(temp.path("photos.zip"));
    s.clickStart();

    ASSERT_EQ(s.messages.shown().size(), 1u);
    EXPECT_EQ(s.messages.shown()[0].text,
              "3 files have been joined with the name of " + temp.path("photos.zip"));
    EXPECT_EQ(s.messages.shown()[0].caption, "Seamer");
    EXPECT_EQ(s.messages.shown()[0].icon, MsgIcon::None);
    EXPECT_EQ(readAll(temp.path("photos.zip")), set.whole);
    EXPECT_EQ(s.messages.busyAtShow, std::vector<bool>{false});
    EXPECT_FALSE(s.panel()->cmdJoin()->isEnabled());

    // Choosing again, or using About, gives no second join.
    s.choosePiece(set.pieces[1]);
    s.chooseDestination(temp.path("again.zip"));
    {
        ModalCloser closer;
        s.menuEntry("mnuab")->trigger();
    }
    EXPECT_FALSE(s.panel()->cmdJoin()->isEnabled());
    s.clickStart();
    EXPECT_FALSE(fs::exists(temp.path("again.zip")));
    EXPECT_EQ(s.messages.shown().size(), 1u);
}

TEST(SeamerJoin, AJoinShowsItsProgressAndEscStopsItLeavingNoFile) {
    TempFolder temp;
    const PieceSet3 set(temp);
    GatedFileSystem gated(fileSystem(), 2); // holds the second piece
    ScriptedMessageBox messages;
    ScriptedFileDialog dialogs;
    RecordingShellExecute shell;
    frmSplitJoin window(messages, dialogs, gated, shell);
    window.show();
    QApplication::setActiveWindow(&window);
    (void)QTest::qWaitForWindowActive(&window);
    ASSERT_TRUE(window.joinPanel()->flow().MakeJoinPattern(set.pieces[0]));
    const std::string destination = temp.path("photos.zip");
    window.joinPanel()->txtJoinDestination()->setText(QString::fromStdString(destination));
    QTest::mouseClick(window.joinPanel()->cmdJoin(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return gated.held(); }));
    EXPECT_TRUE(QTest::qWaitFor([&] { return window.statusBar1()->text() == "Joining 98%"; }));
    QTest::keyClick(&window, Qt::Key_Escape);
    gated.release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return !window.joinPanel()->isWorking(); }));
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "The join into " + destination + " was cancelled. No file was written.");
    EXPECT_EQ(messages.shown()[0].caption, "Seamer");
    EXPECT_EQ(messages.shown()[0].icon, MsgIcon::Information);
    EXPECT_FALSE(fs::exists(destination));
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path("")), {}), 3); // the pieces only
    EXPECT_TRUE(window.joinPanel()->cmdJoin()->isEnabled());                // nothing was joined
}

TEST(SeamerJoin, StartStaysEnabledAfterARefusedOrFailedJoinAndNoBusyPointerShows) {
    TempFolder temp;
    const PieceSet3 set(temp);
    Seamer s;
    s.choosePiece(set.pieces[0]);

    // Refused: the destination exists and the user keeps it.
    const std::string existing = temp.file("photos.zip", "keep me");
    s.panel()->txtJoinDestination()->setText(QString::fromStdString(existing));
    s.messages.scripted.setNextAnswer(MsgAnswer::No);
    s.clickStart();
    ASSERT_EQ(s.messages.shown().size(), 2u);
    EXPECT_EQ(s.messages.shown()[1].text, "Can not join file.");
    EXPECT_EQ(readAll(existing), "keep me");
    EXPECT_TRUE(s.panel()->cmdJoin()->isEnabled());

    // Failed: the destination's folder does not exist, so the engine cannot write.
    const std::string nowhere = temp.path("no such folder/photos.zip");
    s.panel()->txtJoinDestination()->setText(QString::fromStdString(nowhere));
    s.clickStart();
    ASSERT_EQ(s.messages.shown().size(), 4u);
    EXPECT_EQ(s.messages.shown()[2].caption, "Seamer"); // the engine's own description
    EXPECT_EQ(s.messages.shown()[3].text, "Join file failed!");
    EXPECT_EQ(s.messages.shown()[3].caption, "Seamer");
    EXPECT_TRUE(s.panel()->cmdJoin()->isEnabled());
    // Carvel shows the hourglass while the engine reports its error; Seamer never does.
    EXPECT_EQ(s.messages.busyAtShow, std::vector<bool>(4, false));

    // Still usable: the same Start now joins.
    s.panel()->txtJoinDestination()->setText(QString::fromStdString(temp.path("out.zip")));
    s.clickStart();
    EXPECT_EQ(readAll(temp.path("out.zip")), set.whole);
    EXPECT_FALSE(s.panel()->cmdJoin()->isEnabled());
}

TEST(SeamerCommands, AboutShowsTheBoxAndChangesNothingElseButTheMenusButtons) {
    Seamer s;
    bool all = false;
    s.window.flow().ShowTBButton("tf", all);
    ASSERT_FALSE(exitEnabled(s));

    // From the toolbar: the box only.
    {
        ModalCloser closer;
        QTest::mouseClick(s.window.toolbarButton(1), Qt::LeftButton);
        EXPECT_EQ(closer.caption(), QStringLiteral("About"));
    }
    EXPECT_FALSE(exitEnabled(s));

    // From the menu: every button and entry enabled, then the box.
    {
        ModalCloser closer;
        s.menuEntry("mnuab")->trigger();
        EXPECT_EQ(closer.caption(), QStringLiteral("About"));
    }
    EXPECT_TRUE(aboutEnabled(s));
    EXPECT_TRUE(exitEnabled(s));

    EXPECT_EQ(s.window.windowTitle(), QStringLiteral("Join File"));
    EXPECT_EQ(s.window.statusBar1()->pictureRole(), QStringLiteral("Join"));
    EXPECT_EQ(s.window.statusBar1()->text(), QString());
    EXPECT_TRUE(s.panel()->isVisible());
    EXPECT_TRUE(s.messages.shown().empty());
}

TEST(SeamerCommands, FlagStringEnablesOnlyOnLowerCaseT) {
    Seamer s;
    const struct {
        const char* flags;
        bool all;
        bool about;
        bool exit;
    } cases[] = {
        {"ft", false, false, true}, {"Tt", false, false, true}, {"t", false, true, false},
        {"", false, false, false},  {"ff", true, true, true},   {"ttf", false, true, true},
    };
    for (const auto& c : cases) {
        bool all = c.all;
        s.window.flow().ShowTBButton(c.flags, all);
        EXPECT_EQ(aboutEnabled(s), c.about) << c.flags;
        EXPECT_EQ(exitEnabled(s), c.exit) << c.flags;
        // Each button moves together with its menu entry.
        EXPECT_EQ(s.window.toolbarButton(1)->isEnabled(), s.menuEntry("mnuab")->isEnabled());
        EXPECT_EQ(s.window.toolbarButton(2)->isEnabled(), s.menuEntry("mnuex")->isEnabled());
    }
}

TEST(SeamerCommands, ExitMenuToolbarAndCloseBoxEachEndWithoutAQuestion) {
    {
        Seamer s;
        // A key that is not one of the two, compared case-sensitively, does nothing.
        s.window.flow().tbMenu_ButtonClick("exit");
        EXPECT_TRUE(s.window.isVisible());
        s.menuEntry("mnuex")->trigger();
        EXPECT_FALSE(s.window.isVisible());
        EXPECT_TRUE(s.messages.shown().empty());
    }
    {
        Seamer s;
        QTest::mouseClick(s.window.toolbarButton(2), Qt::LeftButton);
        EXPECT_FALSE(s.window.isVisible());
        EXPECT_TRUE(s.messages.shown().empty());
    }
    {
        Seamer s;
        EXPECT_TRUE(s.window.close());
        EXPECT_FALSE(s.window.isVisible());
        EXPECT_TRUE(s.messages.shown().empty());
    }
}

} // namespace
} // namespace carvel::joiner
