#pragma once

#include <QCursor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QString>

namespace carvel::Artwork {

// The program's own pictures, drawn in code so that no image file has to be shipped. Being
// drawn, they are sharp at any scale: the icons are drawn at whatever size a button asks for,
// and the pictures at the screen's device pixel ratio (sizes below are in device-independent
// pixels; a picture of 24 x 24 holds 48 x 48 pixels on a screen scaled twice).

// The toolbar image for "Split", "Join", "About", "Help" or "Exit", and its 24 x 24 picture.
QIcon toolbarIcon(const QString& key);
QPixmap toolbarImage(const QString& key);
// The 16 x 16 status-bar picture of a mode or command: "Split", "Join", "About" or "Help".
QPixmap modePicture(const QString& role);
// The two programs' icons, drawn on a 32-unit grid: Carvel's emblem, a sheet carved into three
// pieces, and Seamer's, the three pieces drawn together again. The windows show them and the
// installation puts the same drawings into the desktop's icon theme.
enum class ProgramIcon { Carvel, Seamer };
// A program's icon, size x size pixels.
QPixmap programIcon(ProgramIcon program, int size);
// Draws a program's icon into painter over size x size units, for a scalable rendering.
void paintProgramIcon(ProgramIcon program, QPainter& painter, qreal size);
// The window icon, 32 x 32 with smaller and larger renderings for the desktop to choose from;
// Carvel's unless Seamer's is asked for.
QIcon windowIcon(ProgramIcon program = ProgramIcon::Carvel);
// The picture of the small square file-choosing buttons.
QIcon selectFileIcon();
QPixmap selectFilePicture();
// The picture of the Start buttons.
QIcon startIcon();
QPixmap startPicture();
// The About box's logo, 74 x 102 pixels.
QPixmap aboutLogo();
// The pointer shown over the About box's link: a 32 x 32 two-colour hand pointing at its hot spot.
QCursor linkCursor();
inline constexpr int kLinkHotSpotX = 13;
inline constexpr int kLinkHotSpotY = 9;

} // namespace carvel::Artwork
