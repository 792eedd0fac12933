#include "QtMessageBox.h"
#include "ButtonKeys.h"
#include "QtFileDialog.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>
#include <functional>
#include <gtest/gtest.h>

namespace carvel {
namespace {

// Runs `look` on the box once it is up, then presses the button that `press` picks.
MsgAnswer showAndAnswer(const MessageRequest& request,
                        const std::function<void(QMessageBox&)>& look,
                        const std::function<void(QMessageBox&)>& press) {
    bool seen = false;
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        seen = true;
        look(*box);
        press(*box);
    });
    QtMessageBox messageBox;
    const MsgAnswer answer = messageBox.show(request);
    EXPECT_TRUE(seen);
    return answer;
}

TEST(QtMessageBox, ShowsTheRequestAndAnswersTheButtonPressed) {
    const MessageRequest question{"Do you want to delete it?", "Overwrite Folder",
                                  MsgButtons::YesNoCancel, MsgIcon::None, MsgAnswer::Yes};
    const auto looksLikeTheQuestion = [](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), "Overwrite Folder");
        EXPECT_EQ(box.text(), "Do you want to delete it?");
        EXPECT_EQ(box.icon(), QMessageBox::NoIcon);
        EXPECT_EQ(box.standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        EXPECT_EQ(box.defaultButton(), box.button(QMessageBox::Yes));
    };
    EXPECT_EQ(showAndAnswer(question, looksLikeTheQuestion,
                            [](QMessageBox& box) { box.button(QMessageBox::No)->click(); }),
              MsgAnswer::No);
    EXPECT_EQ(showAndAnswer(question, looksLikeTheQuestion,
                            [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); }),
              MsgAnswer::Cancel);

    const MessageRequest refusal{"Invalid file selected.", "Error", MsgButtons::RetryCancel,
                                 MsgIcon::None, MsgAnswer::Retry};
    EXPECT_EQ(showAndAnswer(
                  refusal,
                  [](QMessageBox& box) {
                      EXPECT_EQ(box.standardButtons(), QMessageBox::Retry | QMessageBox::Cancel);
                  },
                  [](QMessageBox& box) { box.button(QMessageBox::Retry)->click(); }),
              MsgAnswer::Retry);

    const MessageRequest error{"Source file does not exist!!!", "Error", MsgButtons::Ok,
                               MsgIcon::Critical, MsgAnswer::Ok};
    EXPECT_EQ(showAndAnswer(
                  error, [](QMessageBox& box) { EXPECT_EQ(box.icon(), QMessageBox::Critical); },
                  [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); }),
              MsgAnswer::Ok);
}

TEST(QtMessageBox, EveryBoxAsksAndWaitsWhateverClosedTheOneBefore) {
    ButtonKeys::install(); // as the programs' windows do
    const MessageRequest question{"Delete it?", "Overwrite Folder", MsgButtons::YesNoCancel,
                                  MsgIcon::None, MsgAnswer::Yes};
    const auto nothing = [](QMessageBox&) {};
    const auto repeatHeldReturnThenSayNo = [](QMessageBox& box) {
        QKeyEvent held(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", true);
        QApplication::sendEvent(box.defaultButton(), &held);
        if (box.isVisible())
            box.button(QMessageBox::No)->click();
    };
    for (const auto& close : std::initializer_list<std::function<void(QMessageBox&)>>{
             [](QMessageBox& box) { QTest::keyPress(&box, Qt::Key_Return); },
             [](QMessageBox& box) { QTest::keyClick(&box, Qt::Key_Escape); },
             [](QMessageBox& box) { box.close(); }}) { // as the window manager closes it
        showAndAnswer(question, nothing, close);
        EXPECT_EQ(showAndAnswer(question, nothing, repeatHeldReturnThenSayNo), MsgAnswer::No);
    }
}

// An error met during a split is reported while the busy pointer shows; the box that waits for
// OK must not look busy, and the busy pointer is back once it is answered.
TEST(QtMessageBox, TheNormalPointerShowsOverABoxWhileTheProgramIsBusy) {
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    Qt::CursorShape whileShown = Qt::WaitCursor;
    showAndAnswer(
        {"Cannot create file", "Carvel", MsgButtons::Ok, MsgIcon::None, MsgAnswer::Ok},
        [&](QMessageBox&) {
            const QCursor* pointer = QGuiApplication::overrideCursor();
            whileShown = pointer != nullptr ? pointer->shape() : Qt::ArrowCursor;
        },
        [](QMessageBox& box) { box.button(QMessageBox::Ok)->click(); });
    EXPECT_EQ(whileShown, Qt::ArrowCursor);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
    QGuiApplication::restoreOverrideCursor();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

// Before its window shows, centred on the screen; every column as wide as what it shows.
TEST(QtFileDialog, OpensCentredAndWideEnoughInTheFolderOfTheFileToStartFrom) {
    QTemporaryDir folder;
    QFile piece(folder.filePath("notes on the journey of 2026.zip.1"));
    ASSERT_TRUE(piece.open(QIODevice::WriteOnly) && piece.resize(21 * 1024 + 517));
    QWidget notYetShown;
    QtFileDialog dialogs;
    dialogs.startFrom(piece.fileName().toStdString());
    QTimer::singleShot(0, [&] {
        auto* shown = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        const QPoint off =
            shown->geometry().center() - shown->screen()->availableGeometry().center();
        EXPECT_LE(off.manhattanLength(), 2);
        EXPECT_EQ(shown->directory(), QDir(folder.path()));
        auto* details = shown->findChild<QTreeView*>("treeView");
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return details->model()->rowCount(details->rootIndex()); }));
        QApplication::processEvents();
        for (int column = 0; column < 4; ++column)
            EXPECT_GE(details->header()->sectionSize(column),
                      static_cast<QAbstractItemView*>(details)->sizeHintForColumn(column));
        shown->reject();
    });
    EXPECT_EQ(dialogs.showOpen(&notYetShown), std::nullopt);
}

} // namespace
} // namespace carvel
