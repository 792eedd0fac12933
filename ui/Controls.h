#pragma once

#include <QRect>
#include <QString>

class QFont;
class QLabel;
class QLineEdit;
class QPixmap;
class QToolButton;
class QWidget;

namespace carvel::Controls {

// The panels' controls, each named after its role and placed in twips inside its frame.

// The windows' font: Tahoma 8.25 pt, or the closest narrow sans serif where it is missing.
QFont windowFont();

// A label grows to its caption where the fonts at hand are wider than the designed place.
QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect place);
QLineEdit* textBox(QWidget* parent, const char* name, QRect place);
// A small square button that shows only a picture.
QToolButton* pictureButton(QWidget* parent, const char* name, const QString& toolTip, QRect place);
// A Start button: its picture above the caption.
QToolButton* startButton(QWidget* parent, const char* name, QRect place);
// While work runs the Start button reads Cancel, with a stop picture, and stops the work.
void showAsCancel(QToolButton* start, bool cancel);

} // namespace carvel::Controls
