#include "FileDrops.h"
#include "JoinPanel.h"
#include "SplitPanel.h"
#include "UiTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <gtest/gtest.h>

namespace carvel::test {
namespace {

QString q(const std::string& text) {
    return QString::fromStdString(text);
}

TEST(FileDrop, SplitModeTakesOneFileAsSourceAndRefusesSeveralOrAFolder) {
    TempFolder temp;
    const std::string file = temp.makeFile("movie one.avi", 3000);
    Carvel carvel;
    carvel.showActive();
    SplitPanel& split = *carvel.window->splitPanel();

    // Anywhere on the window, the size box too, the file becomes the source and shows its size.
    EXPECT_TRUE(dropFiles(split.txtMaxChunkSize(), {q(file)}));
    EXPECT_EQ(split.txtSplitSourceFile()->text().toStdString(), file);
    EXPECT_EQ(split.txtMaxChunkSize()->text(), "") << "the file's name is not typed into the box";
    EXPECT_FALSE(split.filesize()->text().isEmpty());
    split.txtSplitSourceFile()->clear();
    EXPECT_TRUE(dropFiles(carvel.window.get(), {q(file)}));
    EXPECT_EQ(split.txtSplitSourceFile()->text().toStdString(), file);

    EXPECT_TRUE(dropFiles(carvel.window.get(), {q(file), q(temp.makeFile("b.bin", 5))}));
    EXPECT_TRUE(dropFiles(split.txtSplitSourceFile(), {q(temp.path().string())}));
    ASSERT_EQ(carvel.messages.shown().size(), 2u);
    EXPECT_EQ(carvel.messages.shown()[0].text,
              "You have dropped more than one file. Please drop only one file.");
    EXPECT_EQ(carvel.messages.shown()[1].text,
              "Folder: " + temp.path().string() +
                  " is not a file. Please drop a file, not a folder.");
    EXPECT_EQ(carvel.messages.shown()[1].caption, "Error");
    EXPECT_EQ(split.txtSplitSourceFile()->text().toStdString(), file);

    // Text dragged onto a box is not a file: the drop handler leaves it to the box.
    QMimeData text;
    text.setText(QStringLiteral("12"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(split.txtMaxChunkSize(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    EXPECT_EQ(carvel.messages.shown().size(), 2u);
}

TEST(FileDrop, JoinModeChecksAPieceOnTheSourceAndFillsTheDestination) {
    TempFolder temp;
    const std::string piece = temp.makeFile("photos.zip.07", 10);
    const std::string notes = temp.makeFile("notes.txt", 10);
    Carvel carvel;
    carvel.showActive();
    carvel.window->SwitchToJoinMode();
    JoinPanel& join = *carvel.window->joinPanel();

    EXPECT_TRUE(dropFiles(join.txtJoinSourceFile(), {q(piece)}));
    EXPECT_EQ(join.txtJoinSourceFile()->text().toStdString(),
              (temp.path() / "photos.zip.??").string());
    EXPECT_TRUE(dropFiles(join.txtJoinDestination(), {q(piece)}));
    EXPECT_EQ(join.txtJoinDestination()->text().toStdString(),
              (temp.path() / "photos.zip").string());
    EXPECT_TRUE(dropFiles(join.txtJoinDestination(), {q(notes)}));
    EXPECT_EQ(join.txtJoinDestination()->text().toStdString(), notes);
    EXPECT_TRUE(carvel.messages.shown().empty());
    EXPECT_TRUE(carvel.dialogs.calls().empty());

    // A file that is no piece, dropped on the source box or elsewhere on the window, is refused
    // as the chooser refuses it, and the chooser opens for another try.
    carvel.dialogs.setNextCancel();
    EXPECT_TRUE(dropFiles(carvel.window.get(), {q(notes)}));
    ASSERT_EQ(carvel.messages.shown().size(), 1u);
    EXPECT_EQ(carvel.messages.shown()[0].text, "File: " + notes + " is not a valid file to Join");
    EXPECT_EQ(carvel.messages.shown()[0].caption, "Invalid file selected");
    EXPECT_EQ(carvel.dialogs.calls(), std::vector{ScriptedFileDialog::Kind::Open});
    EXPECT_EQ(join.txtJoinSourceFile()->text().toStdString(),
              (temp.path() / "photos.zip.??").string());
}

} // namespace
} // namespace carvel::test
