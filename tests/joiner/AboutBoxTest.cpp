#include "Artwork.h"
#include "RecordingShellExecute.h"
#include "ScriptedMessageBox.h"
#include "frmAbout.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>
#include <gtest/gtest.h>

using carvel::frmAbout;
using carvel::RecordingShellExecute;
using carvel::ScriptedMessageBox;

namespace {

QLabel* linkOf(frmAbout& box) {
    auto* link = box.findChild<QLabel*>(QStringLiteral("lblWebsite"));
    EXPECT_NE(link, nullptr);
    return link;
}

QColor linkColour(const QLabel* link) {
    return link->palette().color(QPalette::WindowText);
}

void expectNormalLook(const QLabel* link) {
    EXPECT_EQ(linkColour(link), QApplication::palette().color(QPalette::ButtonText));
    EXPECT_FALSE(link->font().underline());
}

void expectHotLook(const QLabel* link) {
    EXPECT_EQ(linkColour(link), QApplication::palette().color(QPalette::Highlight));
    EXPECT_TRUE(link->font().underline());
}

void pointerOnto(QLabel* link) {
    const QPointF inside(4, 4);
    QEnterEvent enter(inside, link->mapToGlobal(inside), link->mapToGlobal(inside));
    QApplication::sendEvent(link, &enter);
    QMouseEvent move(QEvent::MouseMove, inside, link->mapToGlobal(inside), Qt::NoButton,
                     Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(link, &move);
}

void pointerOff(QLabel* link) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link, &leave);
}

void sendMouse(QLabel* link, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    QMouseEvent event(type, at, link->mapToGlobal(QPointF(at)), Qt::LeftButton, held,
                      Qt::NoModifier);
    QApplication::sendEvent(link, &event);
}

// Stands for a desktop that hands any drag to the link: accepts it on entering, and notes that
// the drop then reached the link.
class AcceptForeignDrags final : public QObject {
public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::DragEnter) {
            static_cast<QDragEnterEvent*>(event)->acceptProposedAction();
            return true;
        }
        if (event->type() == QEvent::Drop)
            m_sawDrop = true;
        return false;
    }
    bool sawDrop() const { return m_sawDrop; }

private:
    bool m_sawDrop = false;
};

class AboutBox : public ::testing::Test {
protected:
    void SetUp() override {
        // The looks are told apart by colour, so the palette must tell them apart too.
        ASSERT_NE(QApplication::palette().color(QPalette::ButtonText),
                  QApplication::palette().color(QPalette::Highlight));
    }
    RecordingShellExecute shell;
    ScriptedMessageBox messages;
};

TEST_F(AboutBox, CarvelNamesItselfInTheCaptionAndSeamerKeepsAbout) {
    frmAbout carvelBox(shell, messages, frmAbout::Program::Carvel);
    EXPECT_EQ(carvelBox.windowTitle(), QStringLiteral("Carvel"));
    frmAbout seamerBox(shell, messages, frmAbout::Program::Seamer);
    EXPECT_EQ(seamerBox.windowTitle(), QStringLiteral("About"));
}

TEST_F(AboutBox, LinkTurnsHotUnderThePointerAndNormalWhenItLeaves) {
    frmAbout box(shell, messages, frmAbout::Program::Carvel);
    box.show();
    QLabel* link = linkOf(box);
    expectNormalLook(link);

    pointerOnto(link);
    expectHotLook(link);
    EXPECT_EQ(link->cursor().hotSpot(),
              QPoint(carvel::Artwork::kLinkHotSpotX, carvel::Artwork::kLinkHotSpotY));

    pointerOff(link);
    expectNormalLook(link);
    // Coming back makes it hot again.
    pointerOnto(link);
    expectHotLook(link);
    EXPECT_TRUE(shell.calls().empty());
}

TEST_F(AboutBox, ClickOnTheLinkOpensItsAddressAndLeavesTheBoxOpenInNormalLook) {
    frmAbout box(shell, messages, frmAbout::Program::Seamer);
    box.show();
    QLabel* link = linkOf(box);
    pointerOnto(link);
    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));

    ASSERT_EQ(shell.calls().size(), 1u);
    EXPECT_EQ(shell.calls()[0].first, "open");
    // The tag is opened, never the caption, and it names the user guide of the program.
    const QString opened = QString::fromStdString(shell.calls()[0].second);
    EXPECT_EQ(opened, link->property("tag").toString());
    EXPECT_EQ(link->text(), "User Guide");
    EXPECT_EQ(opened, frmAbout::documentationAddress(QCoreApplication::applicationDirPath()));

    expectNormalLook(link);
    EXPECT_TRUE(box.isVisible());

    // A second click opens it again.
    pointerOnto(link);
    QTest::mouseClick(link, Qt::LeftButton, Qt::NoModifier, QPoint(6, 6));
    EXPECT_EQ(shell.calls().size(), 2u);

    // Tab reaches it from OK and Enter opens it; where no browser starts, a box names the guide.
    ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    QTest::keyClick(&box, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), link);
    shell.setNoHandler();
    QTest::keyClick(link, Qt::Key_Return);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text,
              "No web browser could be started for the User Guide. Please open " +
                  QUrl(opened).toLocalFile().toStdString() + " in a web browser.");
    EXPECT_TRUE(box.isVisible());
}

// The guide beside the program in the build, else where it is installed, ../share/carvel.
TEST(AboutBoxGuide, TheLinkFindsTheUserGuideBuiltFromTheHelpTopics) {
    QTemporaryDir root;
    const QDir top(root.path());
    ASSERT_TRUE(top.mkpath("bin") && top.mkpath("share/carvel"));
    ASSERT_TRUE(QFile::copy(CARVEL_USER_GUIDE, top.filePath("share/carvel/UserGuide.html")));
    EXPECT_EQ(QUrl(frmAbout::documentationAddress(top.filePath("bin"))).toLocalFile(),
              top.filePath("share/carvel/UserGuide.html"));

    // One page for a browser: the welcome topic first, each topic's link a link within the page.
    QFile guide(CARVEL_USER_GUIDE);
    ASSERT_TRUE(guide.open(QIODevice::ReadOnly));
    const QString page = QString::fromLatin1(guide.readAll());
    EXPECT_LT(page.indexOf("<h1>Welcome to Carvel</h1>"), page.indexOf("<h1>The main window</h1>"));
    EXPECT_FALSE(page.contains(".htm\"") || page.contains("<object") ||
                 page.contains("This help window"));
    for (auto found = QRegularExpression("href=\"#([A-Za-z]+)\"").globalMatch(page);
         found.hasNext();)
        EXPECT_TRUE(page.contains("id=\"" + found.next().captured(1) + "\""));
}

TEST_F(AboutBox, NothingOpensUnlessPressAndReleaseBothHappenOnTheLink) {
    frmAbout box(shell, messages, frmAbout::Program::Carvel);
    box.show();
    QLabel* link = linkOf(box);

    // Something dragged from elsewhere onto the link: the link refuses it.
    pointerOnto(link);
    QMimeData data;
    data.setUrls({QUrl(QStringLiteral("https://example.org/"))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(link, &enter);
    EXPECT_FALSE(enter.isAccepted());
    // And should the desktop deliver the drop all the same, only the link's own drag opens.
    AcceptForeignDrags welcome;
    link->setAcceptDrops(true);
    link->installEventFilter(&welcome);
    QApplication::sendEvent(link, &enter);
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(link, &drop);
    link->removeEventFilter(&welcome);
    link->setAcceptDrops(false);
    EXPECT_TRUE(welcome.sawDrop());
    EXPECT_TRUE(shell.calls().empty());

    // A release that no press on the link began.
    sendMouse(link, QEvent::MouseButtonRelease, QPoint(5, 5), Qt::NoButton);
    EXPECT_TRUE(shell.calls().empty());

    // Pressed on the link, dragged off it and released outside: leaving ends the link's drag.
    pointerOnto(link);
    sendMouse(link, QEvent::MouseButtonPress, QPoint(5, 5), Qt::LeftButton);
    sendMouse(link, QEvent::MouseMove, QPoint(5, link->height() + 20), Qt::LeftButton);
    expectNormalLook(link);
    sendMouse(link, QEvent::MouseButtonRelease, QPoint(5, link->height() + 20), Qt::NoButton);
    EXPECT_TRUE(shell.calls().empty());
}

TEST_F(AboutBox, OkClosesTheBoxAndANewOneStartsWithTheLinkNormal) {
    {
        frmAbout box(shell, messages, frmAbout::Program::Carvel);
        box.show();
        pointerOnto(linkOf(box));
        auto* ok = box.findChild<QPushButton*>(QStringLiteral("cmdOK"));
        ASSERT_NE(ok, nullptr);
        EXPECT_EQ(ok->text(), QStringLiteral("&OK"));
        QTest::mouseClick(ok, Qt::LeftButton);
        EXPECT_FALSE(box.isVisible());
        EXPECT_EQ(box.result(), QDialog::Accepted);
    }
    frmAbout again(shell, messages, frmAbout::Program::Carvel);
    again.show();
    expectNormalLook(linkOf(again));
    EXPECT_TRUE(shell.calls().empty());
}

} // namespace
