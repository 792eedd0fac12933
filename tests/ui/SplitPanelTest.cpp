#include "SplitPanel.h"
#include "JoinPanel.h"
#include "PieceSet.h"
#include "QtNumberFormat.h"
#include "UiTestSupport.h"
#include "flow/SizeText.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace carvel::test {
namespace {

namespace fs = std::filesystem;

TEST(SizeDisplay, UnitsRoundingToEvenAndTheLocalesSeparator) {
    const NumberFormat c = numberFormatOf(QLocale(QLocale::C));
    EXPECT_EQ(SizeText::fileSize(0, c), "0 Bytes");
    EXPECT_EQ(SizeText::fileSize(512, c), "512 Bytes");
    EXPECT_EQ(SizeText::fileSize(1023, c), "1023 Bytes");
    EXPECT_EQ(SizeText::fileSize(1024, c), "1 KB");
    EXPECT_EQ(SizeText::fileSize(1536, c), "1.5 KB");
    EXPECT_EQ(SizeText::fileSize(1280, c), "1.2 KB"); // 1.25: the even neighbour
    EXPECT_EQ(SizeText::fileSize(1331, c), "1.3 KB"); // 1.2998 rounds up
    EXPECT_EQ(SizeText::fileSize(1075, c), "1 KB");   // 1.0498: no trailing zero
    EXPECT_EQ(SizeText::fileSize(5000000, c), "4.8 MB");
    EXPECT_EQ(SizeText::fileSize(1048575, c), "1024 KB");
    EXPECT_EQ(SizeText::fileSize(3LL << 30, c), "3072 MB"); // gigabytes stay in megabytes
    const NumberFormat german = numberFormatOf(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(SizeText::fileSize(1536, german), "1,5 KB");
    EXPECT_EQ(SizeText::fileSize(12345678901LL, german), "11773,8 MB"); // no grouping
}

TEST(SizeDisplay, SizeTextIsReadInTheUsersLocale) {
    const NumberFormat c = numberFormatOf(QLocale(QLocale::C));
    EXPECT_DOUBLE_EQ(SizeText::readNumber("1.5", c), 1.5);
    EXPECT_DOUBLE_EQ(SizeText::readNumber(" 2e3 ", c), 2000);
    EXPECT_DOUBLE_EQ(SizeText::readNumber("-4", c), -4);
    const NumberFormat german = numberFormatOf(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_DOUBLE_EQ(SizeText::readNumber("0,5", german), 0.5);
    // As the platform reads it: the locale's own grouping, any kind of blank around it.
    const NumberFormat india = numberFormatOf(QLocale(QLocale::Hindi, QLocale::India));
    EXPECT_DOUBLE_EQ(SizeText::readNumber("1,23,456", india), 123456);
    EXPECT_DOUBLE_EQ(SizeText::readNumber("\u00a0\u202f512", c), 512);
    EXPECT_THROW(SizeText::readNumber("abc", c), std::runtime_error);
    try {
        SizeText::readNumber("12kb", c);
        FAIL() << "not a number";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Type mismatch");
    }
    // Words the conversion knows are still no size a user can mean.
    for (const char* word : {"inf", "-inf", "nan"}) {
        try {
            SizeText::readNumber(word, c);
            FAIL() << word << " is not a number";
        } catch (const std::runtime_error& error) {
            EXPECT_STREQ(error.what(), "Type mismatch") << word;
        }
    }
    try {
        SizeText::readNumber("1e999", c);
        FAIL() << "beyond the range of a double";
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), "Overflow");
    }
}

TEST(SplitPanel, ChoosingAndTypingShowTheSize) {
    TempFolder temp;
    const std::string source = temp.makeFile("movie.avi", 1536);
    Carvel carvel;
    SplitPanel& split = *carvel.window->splitPanel();

    carvel.dialogs.setNextFileName(source);
    QTest::mouseClick(split.cmdSelectSplitFile(), Qt::LeftButton);
    EXPECT_EQ(split.txtSplitSourceFile()->text().toStdString(), source);
    EXPECT_EQ(split.filesize()->text(), QLocale::system().toString(1.5) + " KB");

    carvel.dialogs.setNextCancel();
    QTest::mouseClick(split.cmdSelectSplitFile(), Qt::LeftButton);
    EXPECT_EQ(split.txtSplitSourceFile()->text().toStdString(), source);

    split.txtSplitSourceFile()->setText(QString::fromStdString(source).chopped(1));
    EXPECT_EQ(split.filesize()->text(), "");
    split.txtSplitSourceFile()->setText("  " + QString::fromStdString(source) + " ");
    EXPECT_FALSE(split.filesize()->text().isEmpty());
    split.txtSplitSourceFile()->setText(QString::fromStdString(temp.path().string()));
    EXPECT_EQ(split.filesize()->text(), ""); // a folder is not a file
    EXPECT_TRUE(carvel.messages.shown().empty());
}

TEST(SplitPanel, NoSizeForWildcardsOrHiddenFiles) {
    TempFolder temp;
    // Names that exist on disk, so only the rule itself can hide their size.
    const std::string starred = temp.makeFile("a*.bin", 2048);
    const std::string questioned = temp.makeFile("b?.bin", 2048);
    const std::string hidden = temp.makeFile(".hidden", 2048);
    const std::string dotted = temp.makeFile("sub.dir/visible.bin", 2048);
    Carvel carvel;
    SplitPanel& split = *carvel.window->splitPanel();
    for (const std::string& path : {starred, questioned, hidden}) {
        split.txtSplitSourceFile()->setText(QString::fromStdString(path));
        EXPECT_EQ(split.filesize()->text(), "") << path;
    }
    split.txtSplitSourceFile()->setText(QString::fromStdString(dotted));
    EXPECT_EQ(split.filesize()->text(), "2 KB");
    split.txtSplitSourceFile()->setText(QString::fromStdString(temp.makeFile("a\\.bin", 2048)));
    EXPECT_EQ(split.filesize()->text(), "2 KB"); // a name with a backslash, not a hidden file
}

struct Expected {
    std::string text;
    std::string caption;
    MsgIcon icon;
    const char* focus; // object name of the box that gets the focus, or nullptr
};

TEST(SplitPanel, EachCheckRefusesWithItsMessageAndFocusAndTouchesNothing) {
    TempFolder temp;
    const std::string source = temp.makeFile("data.bin", 3000);
    const std::string small = temp.makeFile("small.bin", 1024);
    Carvel carvel;
    carvel.showActive();
    SplitPanel& split = *carvel.window->splitPanel();

    struct Case {
        std::string source;
        QString size;
        Expected expected;
    };
    const Case cases[] = {
        {"   ",
         "1",
         {"You have not selected any file to split.", "Error", MsgIcon::Critical,
          "txtSplitSourceFile"}},
        {source + ".missing",
         "1",
         {"Source file does not exist!!!", "Error", MsgIcon::Critical, "txtSplitSourceFile"}},
        {source,
         "   ",
         {"Destination file size is missing.", "Error", MsgIcon::Critical, "txtMaxChunkSize"}},
        {source, "abc", {"Type mismatch", "System Error", MsgIcon::Critical, nullptr}},
        {small,
         "1",
         {"File is already smaller than destination file size, can not be split.", "Carvel",
          MsgIcon::None, nullptr}},
        {source,
         "3000",
         {"File is already smaller than destination file size, can not be split.", "Carvel",
          MsgIcon::None, nullptr}},
    };
    const auto before = snapshot(temp.path());
    for (const Case& test : cases) {
        SCOPED_TRACE(test.expected.text);
        carvel.messages.clear();
        split.txtSplitSourceFile()->setText(QString::fromStdString(test.source));
        split.txtMaxChunkSize()->setText(test.size);
        split.cmdSplit()->setFocus();
        QTest::mouseClick(split.cmdSplit(), Qt::LeftButton);
        waitForWork(split);
        ASSERT_EQ(carvel.messages.shown().size(), 1u);
        const MessageRequest& shown = carvel.messages.shown()[0];
        EXPECT_EQ(shown.text, test.expected.text);
        EXPECT_EQ(shown.caption, test.expected.caption);
        EXPECT_EQ(shown.icon, test.expected.icon);
        EXPECT_EQ(shown.buttons, MsgButtons::Ok);
        const QString focus = QApplication::focusWidget()->objectName();
        EXPECT_EQ(focus, test.expected.focus ? test.expected.focus : "cmdSplit");
        EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    }
    EXPECT_EQ(snapshot(temp.path()), before);
}

TEST(SplitPanel, SplitFromTheWindowAndBothAnswersToTheFolderQuestion) {
    TempFolder temp;
    const std::string source = temp.makeFile("photo album.tar.gz", 5000);
    Carvel carvel;
    carvel.showActive();
    SplitPanel& split = *carvel.window->splitPanel();

    // Blanks around the source are trimmed everywhere; MB with a fraction of the locale.
    split.txtSplitSourceFile()->setText(" " + QString::fromStdString(source) + "  ");
    split.optSizeMode(1)->click();
    EXPECT_EQ(split.flow().SizeMode, 1);
    split.txtMaxChunkSize()->setText(QLocale::system().toString(0.001));
    QTest::mouseClick(split.cmdSplit(), Qt::LeftButton);
    waitForWork(split);

    EXPECT_DOUBLE_EQ(split.flow().PieceSizeBytes, 0.001 * 1048576);
    const std::string folder = PieceSet::pieceFolder(fileSystem(), source);
    EXPECT_EQ(split.flow().SplitFolder, folder);
    EXPECT_EQ(split.flow().SplitSourcePath, source);
    ASSERT_EQ(carvel.messages.shown().size(), 1u);
    EXPECT_EQ(carvel.messages.shown()[0].text,
              "File is splited into 5 subfiles in folder " + folder);
    EXPECT_EQ(carvel.messages.shown()[0].icon, MsgIcon::Information);
    EXPECT_EQ(carvel.messages.shown()[0].caption, "Carvel");
    std::string rebuilt;
    for (int i = 1; i <= 5; ++i)
        rebuilt += readAll(PieceSet::piecePath(folder, "photo album.tar.gz", i, 1));
    EXPECT_EQ(rebuilt, readAll(source));
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(split.cmdSplit()->isEnabled());

    // No and Cancel keep the existing folder as it is.
    const auto before = snapshot(temp.path());
    for (MsgAnswer answer : {MsgAnswer::No, MsgAnswer::Cancel}) {
        carvel.messages.clear();
        carvel.messages.setNextAnswer(answer);
        QTest::mouseClick(split.cmdSplit(), Qt::LeftButton);
        waitForWork(split);
        ASSERT_EQ(carvel.messages.shown().size(), 2u);
        const MessageRequest& question = carvel.messages.shown()[0];
        EXPECT_EQ(question.text, "Folder with the name of " + folder +
                                     " already exist. Do you want to delete it?");
        EXPECT_EQ(question.caption, "Overwrite Folder");
        EXPECT_EQ(question.buttons, MsgButtons::YesNoCancel);
        EXPECT_EQ(question.icon, MsgIcon::None);
        EXPECT_EQ(question.defaultButton, MsgAnswer::Yes);
        EXPECT_EQ(carvel.messages.shown()[1].text, "Could not split file.");
        EXPECT_EQ(carvel.messages.shown()[1].caption, "Split Failed");
        EXPECT_EQ(QApplication::focusWidget(), split.txtSplitSourceFile());
        EXPECT_EQ(snapshot(temp.path()), before);
    }

    // Yes replaces the old set with a new one of two-KB pieces.
    split.optSizeMode(0)->click();
    split.txtMaxChunkSize()->setText("2");
    carvel.messages.clear();
    carvel.messages.setNextAnswer(MsgAnswer::Yes);
    QTest::mouseClick(split.cmdSplit(), Qt::LeftButton);
    waitForWork(split);
    ASSERT_EQ(carvel.messages.shown().size(), 2u);
    EXPECT_EQ(carvel.messages.shown()[1].text,
              "File is splited into 3 subfiles in folder " + folder);
    EXPECT_FALSE(fs::exists(PieceSet::piecePath(folder, "photo album.tar.gz", 4, 1)));
    EXPECT_EQ(fs::file_size(PieceSet::piecePath(folder, "photo album.tar.gz", 3, 1)), 904u);
}

TEST(SplitPanel, AFailedSplitReportsFailureAfterTheEnginesMessage) {
    TempFolder temp;
    const std::string source = temp.makeFile("data.bin", 3000);
    Carvel carvel;
    SplitPanel& split = *carvel.window->splitPanel();
    split.txtSplitSourceFile()->setText(QString::fromStdString(source));
    split.txtMaxChunkSize()->setText("-1");
    QTest::mouseClick(split.cmdSplit(), Qt::LeftButton);
    waitForWork(split);
    ASSERT_FALSE(carvel.messages.shown().empty());
    EXPECT_EQ(carvel.messages.shown().back().text, "File can not be splited.");
    EXPECT_EQ(carvel.messages.shown().back().caption, "Split Failed");
    EXPECT_EQ(carvel.messages.shown().back().icon, MsgIcon::Critical);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace carvel::test

namespace carvel::test {
namespace {

// A file system whose every operation fails, as a drive that went away would.
class FailingFileSystem final : public FileSystem {
public:
    bool FileExists(const std::string&) override { fail(); }
    bool FolderExists(const std::string&) override { fail(); }
    std::vector<std::string> ListFiles(const std::string&) override { fail(); }
    void CreateFolder(const std::string&) override { fail(); }
    void DeleteFolder(const std::string&, bool) override { fail(); }
    std::string GetParentFolderName(const std::string&) override { fail(); }
    std::string GetFileName(const std::string&) override { fail(); }
    std::unique_ptr<TextStream> OpenTextFile(const std::string&) override { fail(); }
    std::unique_ptr<TextStream> CreateTextFile(const std::string&, bool) override { fail(); }
    FileLength FileLen(const std::string&) override { fail(); }
    void CopyBytes(TextStream&, TextStream&, FileLength, const CopyProgress&) override { fail(); }
    std::unique_ptr<ResultFile> CreateResultFile(const std::string&, bool) override { fail(); }
    void MoveFile(const std::string&, const std::string&) override { fail(); }
    void DeleteFile(const std::string&) override { fail(); }
    bool SameFile(const std::string&, const std::string&) override { fail(); }
    bool IsWithin(const std::string&, const std::string&) override { fail(); }
    std::unique_ptr<FileLock> LockFile(const std::string&) override { fail(); }
    void SyncFile(const std::string&) override { fail(); }
    void SyncFolder(const std::string&) override { fail(); }

private:
    [[noreturn]] static void fail() { throw std::runtime_error("Drive not ready"); }
};

TEST(Handlers, FileSystemErrorsEndInTheirMessageBoxes) {
    FailingFileSystem failing;
    Carvel carvel("-S /x/data.bin", &failing);
    SplitPanel& split = *carvel.window->splitPanel();
    EXPECT_EQ(split.filesize()->text(), ""); // the size display stays silent
    EXPECT_TRUE(carvel.messages.shown().empty());

    split.txtMaxChunkSize()->setText("1");
    QTest::mouseClick(split.cmdSplit(), Qt::LeftButton);
    waitForWork(split);
    ASSERT_EQ(carvel.messages.shown().size(), 1u);
    EXPECT_EQ(carvel.messages.shown()[0].text, "Drive not ready");
    EXPECT_EQ(carvel.messages.shown()[0].caption, "System Error");
    EXPECT_EQ(carvel.messages.shown()[0].icon, MsgIcon::Critical);

    carvel.messages.clear();
    carvel.window->flow().SwitchToJoinMode();
    JoinPanel& join = *carvel.window->joinPanel();
    join.txtJoinSourceFile()->setText("/x/a.?");
    join.txtJoinDestination()->setText("/x/a");
    QTest::mouseClick(join.cmdJoin(), Qt::LeftButton);
    waitForWork(join);
    ASSERT_EQ(carvel.messages.shown().size(), 1u);
    EXPECT_EQ(carvel.messages.shown()[0].text, "Drive not ready");
    EXPECT_EQ(carvel.messages.shown()[0].caption, "System Error");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(Handlers, ALongSplitLetsTheWindowPaintButNotClose) {
    TempFolder temp;
    const std::string source = temp.makeFile("big.bin", 400 * 1024);
    Carvel carvel;
    carvel.showActive();
    SplitPanel& split = *carvel.window->splitPanel();
    split.txtSplitSourceFile()->setText(QString::fromStdString(source));
    split.txtMaxChunkSize()->setText("8");

    // Timers are no user input: one that fires while the split runs shows events are handled.
    bool ranDuringSplit = false;
    bool busyPointerShown = false;
    QTimer::singleShot(0, carvel.window.get(), [&] {
        ranDuringSplit = split.isWorking();
        busyPointerShown = QGuiApplication::overrideCursor() != nullptr &&
                           QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor;
        carvel.window->close();
    });
    QTest::mouseClick(split.cmdSplit(), Qt::LeftButton);
    waitForWork(split);
    EXPECT_TRUE(ranDuringSplit);
    EXPECT_TRUE(busyPointerShown);
    EXPECT_TRUE(carvel.window->isVisible());
    ASSERT_FALSE(carvel.messages.shown().empty());
    EXPECT_EQ(carvel.messages.shown().back().caption, "Carvel");
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

} // namespace
} // namespace carvel::test
