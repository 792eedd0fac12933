#include "Artwork.h"

#include <QApplication>
#include <QBitmap>
#include <QImage>
#include <QStringList>
#include <gtest/gtest.h>

namespace {

// Drawn in code, a picture that came out empty would still have its size: count what was drawn.
int drawnPixels(const QPixmap& picture) {
    const QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    int drawn = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            drawn += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return drawn;
}

TEST(Artwork, EveryPictureHasItsSizeAndSomethingOnIt) {
    const QStringList keys{"Split", "Join", "About", "Help", "Exit"};
    for (const QString& key : keys) {
        const QPixmap image = carvel::Artwork::toolbarImage(key);
        EXPECT_EQ(image.deviceIndependentSize(), QSizeF(24, 24)) << key.toStdString();
        EXPECT_GT(drawnPixels(image), 24 * 24 / 4) << key.toStdString();
    }
    for (const QString& role : keys.mid(0, 4)) {
        const QPixmap picture = carvel::Artwork::modePicture(role);
        EXPECT_EQ(picture.deviceIndependentSize(), QSizeF(16, 16)) << role.toStdString();
        EXPECT_GT(drawnPixels(picture), 16 * 16 / 4) << role.toStdString();
    }
    // Each key has a picture of its own.
    EXPECT_NE(carvel::Artwork::toolbarImage("Split").toImage(),
              carvel::Artwork::toolbarImage("Join").toImage());
    EXPECT_NE(carvel::Artwork::toolbarImage("About").toImage(),
              carvel::Artwork::toolbarImage("Help").toImage());

    EXPECT_EQ(carvel::Artwork::aboutLogo().deviceIndependentSize(), QSizeF(74, 102));
    EXPECT_GT(drawnPixels(carvel::Artwork::aboutLogo()), 74 * 102 / 2 * qApp->devicePixelRatio());
    EXPECT_GT(drawnPixels(carvel::Artwork::windowIcon().pixmap(32, 32)), 32 * 32 / 4);
    EXPECT_GT(drawnPixels(carvel::Artwork::selectFilePicture()), 0);
    EXPECT_GT(drawnPixels(carvel::Artwork::startPicture()), 0);
}

// Also run at QT_SCALE_FACTOR=2; an icon is drawn anew at each size, not scaled up.
TEST(Artwork, PicturesAreDrawnAtTheScreensPixelRatio) {
    EXPECT_EQ(carvel::Artwork::modePicture("Join").devicePixelRatio(), qApp->devicePixelRatio());
    const QIcon icon = carvel::Artwork::toolbarIcon("Split");
    const QImage sharp = icon.pixmap(QSize(24, 24), 2.0).toImage();
    const QImage scaledUp = icon.pixmap(QSize(24, 24), 1.0).toImage().scaled(48, 48);
    EXPECT_EQ(sharp.size(), QSize(48, 48));
    EXPECT_NE(sharp, scaledUp.convertToFormat(sharp.format()));
}

// The installed icons are these drawings at the sizes of the desktop's icon theme.
TEST(Artwork, EachProgramHasItsOwnIconAtEveryInstalledSize) {
    using carvel::Artwork::ProgramIcon;
    for (const int size : {16, 32, 48, 64, 128, 256}) {
        const QPixmap carvel = carvel::Artwork::programIcon(ProgramIcon::Carvel, size);
        const QPixmap seamer = carvel::Artwork::programIcon(ProgramIcon::Seamer, size);
        EXPECT_EQ(carvel.size(), QSize(size, size));
        EXPECT_EQ(seamer.size(), QSize(size, size));
        EXPECT_GT(drawnPixels(carvel), size * size / 4) << size;
        EXPECT_GT(drawnPixels(seamer), size * size / 4) << size;
        EXPECT_NE(carvel.toImage(), seamer.toImage()) << size;
    }
    EXPECT_EQ(carvel::Artwork::windowIcon(ProgramIcon::Seamer).pixmap(QSize(64, 64), 1.0).toImage(),
              carvel::Artwork::programIcon(ProgramIcon::Seamer, 64).toImage());
}

TEST(Artwork, LinkPointerIsATwoColourHandWithItsHotSpotOnTheFingertip) {
    const QCursor pointer = carvel::Artwork::linkCursor();
    EXPECT_EQ(pointer.shape(), Qt::BitmapCursor);
    EXPECT_EQ(pointer.hotSpot(), QPoint(13, 9));
    const QImage mask = pointer.mask().toImage();
    ASSERT_EQ(mask.size(), QSize(32, 32));
    // The hot spot lies on the hand, not on the transparent ground around it.
    EXPECT_NE(mask.pixelIndex(13, 9), 0);
    EXPECT_EQ(mask.pixelIndex(0, 0), 0);
}

} // namespace
