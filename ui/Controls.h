#pragma once

#include <QRect>
#include <QString>

class QLabel;
class QLineEdit;
class QPixmap;
class QToolButton;
class QWidget;

namespace carvel::Controls {

// The panels' controls, each named after its role and placed in twips inside its frame.

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect place);
QLineEdit* textBox(QWidget* parent, const char* name, QRect place);
// A small square button that shows only a picture.
QToolButton* pictureButton(QWidget* parent, const char* name, const QString& toolTip, QRect place);
// A Start button: its picture above the caption.
QToolButton* startButton(QWidget* parent, const char* name, QRect place);

} // namespace carvel::Controls
