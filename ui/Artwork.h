#pragma once

#include <QCursor>
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace carvel::Artwork {

// The program's own pictures, drawn in code so that no image file has to be shipped.

// A 24 x 24 toolbar image for "Split", "Join", "About", "Help" or "Exit".
QPixmap toolbarImage(const QString& key);
// The status-bar picture of a mode or command: "Split", "Join", "About" or "Help".
QPixmap modePicture(const QString& role);
// The 32 x 32 window icon (with smaller and larger renderings for the desktop to choose from).
QIcon windowIcon();
// The picture of the small square file-choosing buttons.
QPixmap selectFilePicture();
// The picture of the Start buttons.
QPixmap startPicture();
// The About box's logo, 74 x 102 pixels.
QPixmap aboutLogo();
// The pointer shown over the About box's link: a 32 x 32 two-colour hand pointing at its hot spot.
QCursor linkCursor();
inline constexpr int kLinkHotSpotX = 13;
inline constexpr int kLinkHotSpotY = 9;

} // namespace carvel::Artwork
