#include "Artwork.h"

#include <QPainter>

namespace carvel::Artwork {

namespace {

// A plain tile with a letter: stands until the finished drawings replace it.
QPixmap tile(int size, const QColor& colour, const QString& letter) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(colour);
    painter.setPen(colour.darker());
    painter.drawRoundedRect(QRectF(0.5, 0.5, size - 1.0, size - 1.0), size / 6.0, size / 6.0);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(size * 2 / 3);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, letter);
    return pixmap;
}

QColor colourOf(const QString& key) {
    if (key == QLatin1String("Split"))
        return QColor(0x2e, 0x7d, 0x32);
    if (key == QLatin1String("Join"))
        return QColor(0x15, 0x65, 0xc0);
    if (key == QLatin1String("About"))
        return QColor(0x6a, 0x1b, 0x9a);
    if (key == QLatin1String("Help"))
        return QColor(0xef, 0x6c, 0x00);
    return QColor(0xc6, 0x28, 0x28);
}

} // namespace

QPixmap toolbarImage(const QString& key) { return tile(24, colourOf(key), key.left(1)); }

QPixmap modePicture(const QString& role) { return tile(16, colourOf(role), role.left(1)); }

QIcon windowIcon() { return QIcon(tile(32, QColor(0x37, 0x47, 0x4f), QStringLiteral("C"))); }

QPixmap selectFilePicture() { return tile(16, QColor(0xf9, 0xa8, 0x25), QStringLiteral("…")); }

QPixmap startPicture() { return tile(24, QColor(0x2e, 0x7d, 0x32), QStringLiteral("▶")); }

QPixmap aboutLogo() { return tile(32, QColor(0x37, 0x47, 0x4f), QStringLiteral("C")); }

QCursor linkCursor() { return QCursor(Qt::PointingHandCursor); }

} // namespace carvel::Artwork
