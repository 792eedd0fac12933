#include "FileDrops.h"
#include "JoinPanel.h"
#include "SplitPanel.h"
#include "UiTestSupport.h"

#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace carvel::test {
namespace {

TEST(FileDrop, SplitModeTakesOneFileAsSourceAndRefusesSeveralOrAFolder) {
    TempFolder temp;
    const QString file = QString::fromStdString(temp.makeFile("movie one.avi", 3000));
    const QString folder = QString::fromStdString(temp.path().string());
    Carvel carvel;
    carvel.showActive();
    SplitPanel& split = *carvel.window->splitPanel();

    // Anywhere on the window, the size box too, the file becomes the source and shows its size.
    EXPECT_TRUE(dropFiles(split.txtMaxChunkSize(), {file}));
    EXPECT_EQ(split.txtSplitSourceFile()->text(), file);
    EXPECT_EQ(split.txtMaxChunkSize()->text(), "") << "the name is not typed into the size box";
    EXPECT_FALSE(split.filesize()->text().isEmpty());

    EXPECT_TRUE(dropFiles(carvel.window.get(), {file, file + "2"}));
    EXPECT_TRUE(dropFiles(split.txtSplitSourceFile(), {folder}));
    ASSERT_EQ(carvel.messages.shown().size(), 2u);
    EXPECT_EQ(carvel.messages.shown()[0].text,
              "You have dropped more than one file. Please drop only one file.");
    EXPECT_EQ(carvel.messages.shown()[1].text,
              "Folder: " + folder.toStdString() +
                  " is not a file. Please drop a file, not a folder.");
    EXPECT_EQ(split.txtSplitSourceFile()->text(), file);
}

TEST(FileDrop, JoinModeChecksAPieceOnTheSourceAndFillsTheDestination) {
    TempFolder temp;
    const QString piece = QString::fromStdString(temp.makeFile("photos.zip.07", 10));
    const std::string notes = temp.makeFile("notes.txt", 10);
    Carvel carvel;
    carvel.showActive();
    carvel.window->flow().SwitchToJoinMode();
    JoinPanel& join = *carvel.window->joinPanel();

    EXPECT_TRUE(dropFiles(join.txtJoinSourceFile(), {piece}));
    EXPECT_EQ(join.txtJoinSourceFile()->text(), piece.chopped(2) + "??");
    EXPECT_TRUE(dropFiles(join.txtJoinDestination(), {piece}));
    EXPECT_EQ(join.txtJoinDestination()->text(), piece.chopped(3));

    // No piece, dropped anywhere but the destination box: refused as the chooser refuses it, and
    // the chooser opens for another try.
    EXPECT_TRUE(dropFiles(carvel.window.get(), {QString::fromStdString(notes)}));
    ASSERT_EQ(carvel.messages.shown().size(), 1u);
    EXPECT_EQ(carvel.messages.shown()[0].text, "File: " + notes + " is not a valid file to Join");
    EXPECT_EQ(carvel.dialogs.calls(), std::vector{ScriptedFileDialog::Kind::Open});
    EXPECT_EQ(join.txtJoinSourceFile()->text(), piece.chopped(2) + "??");
}

} // namespace
} // namespace carvel::test
