#include "Controls.h"

#include "Artwork.h"

#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QToolButton>
#include <algorithm>

namespace carvel::Controls {

QFont windowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPointSizeF(8.25);
    return font;
}

QLabel* label(QWidget* parent, const char* name, const QString& caption, QRect place) {
    auto* control = new QLabel(caption, parent);
    control->setObjectName(QLatin1String(name));
    const QSize needed = control->sizeHint();
    place.setWidth(std::max(place.width(), needed.width()));
    place.setHeight(std::max(place.height(), needed.height()));
    control->setGeometry(place);
    return control;
}

QLineEdit* textBox(QWidget* parent, const char* name, QRect place) {
    auto* control = new QLineEdit(parent);
    control->setObjectName(QLatin1String(name));
    control->setGeometry(place);
    return control;
}

QToolButton* pictureButton(QWidget* parent, const char* name, const QString& toolTip, QRect place) {
    auto* control = new QToolButton(parent);
    control->setObjectName(QLatin1String(name));
    control->setToolTip(toolTip);
    control->setToolButtonStyle(Qt::ToolButtonIconOnly);
    control->setIconSize(QSize(16, 16));
    control->setFocusPolicy(Qt::StrongFocus);
    control->setGeometry(place);
    return control;
}

QToolButton* startButton(QWidget* parent, const char* name, QRect place) {
    auto* control = new QToolButton(parent);
    control->setObjectName(QLatin1String(name));
    control->setText(QStringLiteral("Start"));
    control->setIcon(Artwork::startIcon());
    control->setIconSize(QSize(24, 24));
    control->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    control->setFocusPolicy(Qt::StrongFocus);
    control->setGeometry(place);
    return control;
}

void showAsCancel(QToolButton* start, bool cancel) {
    start->setText(cancel ? QStringLiteral("Cancel") : QStringLiteral("Start"));
    start->setIcon(cancel ? start->style()->standardIcon(QStyle::SP_BrowserStop)
                          : Artwork::startIcon());
}

} // namespace carvel::Controls
