#include "Artwork.h"

#include <QApplication>
#include <QBitmap>
#include <QIconEngine>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QStyle>
#include <QStyleOption>

#include <functional>

namespace carvel::Artwork {

namespace {

// One palette for every picture, so the toolbar, the status bar and the dialogs look of a piece.
const QColor kInk(0x2b, 0x3a, 0x4a);
const QColor kPaperLight(0xff, 0xff, 0xff);
const QColor kPaperShade(0xdc, 0xe4, 0xee);
const QColor kTextLine(0x9a, 0xab, 0xbf);
const QColor kCut(0xd9, 0x41, 0x2b);
const QColor kJoin(0x1e, 0x6f, 0xd9);
const QColor kInfo(0x2a, 0x6f, 0xdb);
const QColor kHelp(0xe8, 0x87, 0x1e);
const QColor kGo(0x2e, 0x9d, 0x4a);
const QColor kFolder(0xf2, 0xb1, 0x34);
const QColor kWood(0x9a, 0x62, 0x2e);

// Every drawing is made on a design grid of `grid` units and scaled to the size asked for, so
// one drawing serves the 24-pixel toolbar and the 16-pixel status bar alike.
// `ratio` device pixels to a pixel: the painter draws in pixels, the pixmap holds the finer grid.
QPixmap render(int width, int height, qreal gridWidth, qreal gridHeight,
               const std::function<void(QPainter&)>& draw, qreal ratio = 1.0) {
    QPixmap pixmap(qRound(width * ratio), qRound(height * ratio));
    pixmap.setDevicePixelRatio(ratio);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(width / gridWidth, height / gridHeight);
    draw(painter);
    return pixmap;
}

// An icon drawn anew at each size it is asked for, rather than one picture scaled; disabled
// and selected looks are made from it by the style, as for an icon of pictures.
class DrawnIconEngine final : public QIconEngine {
public:
    explicit DrawnIconEngine(void (*draw)(QPainter&)) : m_draw(draw) {}

    QSize actualSize(const QSize& size, QIcon::Mode /*mode*/, QIcon::State /*state*/) override {
        const int side = qMin(size.width(), size.height());
        return {side, side};
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        const QSize square = actualSize(size, mode, state);
        const QPixmap drawn = render(square.width(), square.height(), 24.0, 24.0, m_draw);
        if (mode == QIcon::Normal)
            return drawn;
        QStyleOption option;
        option.palette = QApplication::palette();
        return QApplication::style()->generatedIconPixmap(mode, drawn, &option);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device()->devicePixelRatioF();
        QPixmap drawn = pixmap(rect.size() * ratio, mode, state);
        drawn.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect.topLeft(), drawn);
    }
    QIconEngine* clone() const override { return new DrawnIconEngine(m_draw); }

private:
    void (*m_draw)(QPainter&);
};

QIcon drawnIcon(void (*draw)(QPainter&)) {
    return QIcon(new DrawnIconEngine(draw));
}

// A picture of size x size pixels at the device pixel ratio of the screens at hand.
QPixmap screenPicture(void (*draw)(QPainter&), int size) {
    return drawnIcon(draw).pixmap(QSize(size, size));
}

QPen inkPen(qreal width = 1.0) {
    return QPen(kInk, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

QBrush paperBrush(const QRectF& area) {
    QLinearGradient gradient(area.topLeft(), area.bottomRight());
    gradient.setColorAt(0.0, kPaperLight);
    gradient.setColorAt(1.0, kPaperShade);
    return gradient;
}

QBrush glossBrush(const QColor& colour, const QRectF& area) {
    QRadialGradient gradient(area.left() + area.width() * 0.35, area.top() + area.height() * 0.3,
                             area.width() * 0.75);
    gradient.setColorAt(0.0, colour.lighter(150));
    gradient.setColorAt(0.6, colour);
    gradient.setColorAt(1.0, colour.darker(130));
    return gradient;
}

// A piece of a sheet: its top edge, its bottom edge or both may be the zigzag of a cut, with
// `teeth` zigzags along it; an uncut top edge may have its right corner folded over.
void drawPiece(QPainter& painter, const QRectF& area, bool cutTop, bool cutBottom, qreal fold,
               int teeth) {
    const qreal depth = qMin(1.5, area.height() / 8.0);
    const qreal step = area.width() / teeth;
    QPolygonF outline;
    if (cutTop) {
        for (int i = 0; i <= teeth; ++i)
            outline << QPointF(area.left() + step * i, area.top() + (i % 2 == 0 ? 0.0 : depth));
    } else {
        outline << area.topLeft() << QPointF(area.right() - fold, area.top())
                << QPointF(area.right(), area.top() + fold);
    }
    if (cutBottom) {
        for (int i = teeth; i >= 0; --i)
            outline << QPointF(area.left() + step * i, area.bottom() - (i % 2 == 0 ? 0.0 : depth));
    } else {
        outline << area.bottomRight() << area.bottomLeft();
    }
    painter.setPen(inkPen());
    painter.setBrush(paperBrush(area));
    painter.drawPolygon(outline);

    if (!cutTop && fold > 0) {
        QPolygonF corner;
        corner << QPointF(area.right() - fold, area.top())
               << QPointF(area.right() - fold, area.top() + fold)
               << QPointF(area.right(), area.top() + fold);
        painter.setBrush(kPaperShade.darker(110));
        painter.drawPolygon(corner);
    }

    // Lines of text, spaced by the sheet's size, kept clear of the edges and the fold.
    const qreal spacing = qMax(2.5, area.width() / 6.0);
    const qreal first = area.top() + (cutTop ? depth : qMax(fold, depth)) + spacing * 0.8;
    const qreal last = area.bottom() - (cutBottom ? depth : 0.0) - spacing * 0.6;
    const qreal inset = qMax(2.0, area.width() / 8.0);
    painter.setPen(QPen(kTextLine, qMax(1.0, area.width() / 14.0), Qt::SolidLine, Qt::FlatCap));
    int line = 0;
    for (qreal y = first; y <= last + 0.01; y += spacing, ++line) {
        const qreal right = area.right() - inset - (line % 3 == 2 ? area.width() / 4.0 : 0.0);
        painter.drawLine(QPointF(area.left() + inset, y), QPointF(right, y));
    }
}

void drawCut(QPainter& painter, qreal left, qreal right, qreal y, qreal width) {
    painter.setPen(QPen(kCut, width, Qt::DashLine, Qt::FlatCap));
    painter.drawLine(QPointF(left, y), QPointF(right, y));
}

// A filled arrow from `from` to `to`, head at `to`.
void drawArrow(QPainter& painter, QPointF from, QPointF to, const QColor& colour, qreal width) {
    const QLineF shaft(from, to);
    const qreal head = width * 2.2;
    QLineF back(to, from);
    back.setLength(head);
    QLineF side = back.normalVector();
    side.setLength(head * 0.8);
    const QPointF base = back.p2();
    const QPointF offset = side.p2() - side.p1();

    painter.setPen(QPen(colour.darker(140), width + 1.2, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, base);
    QPolygonF tip;
    tip << to << base + offset << base - offset;
    painter.setPen(QPen(colour.darker(140), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(colour);
    painter.drawPolygon(tip);
    painter.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(from, base);
}

// A round coloured badge, the background of the About and Help pictures.
void drawBadge(QPainter& painter, const QColor& colour) {
    const QRectF area(1.5, 1.5, 21.0, 21.0);
    painter.setPen(QPen(colour.darker(160), 1.0));
    painter.setBrush(glossBrush(colour, area));
    painter.drawEllipse(area);
}

void drawSplit(QPainter& painter) {
    drawPiece(painter, QRectF(1.5, 1.5, 14.0, 8.5), false, true, 4.0, 4);
    drawPiece(painter, QRectF(8.5, 14.0, 14.0, 8.5), true, false, 0.0, 4);
    drawCut(painter, 0.5, 23.5, 12.0, 1.6);
}

void drawJoin(QPainter& painter) {
    drawPiece(painter, QRectF(2.5, 1.5, 12.0, 10.0), false, true, 4.0, 4);
    drawPiece(painter, QRectF(2.5, 12.5, 12.0, 10.0), true, false, 0.0, 4);
    drawArrow(painter, QPointF(19.5, 2.0), QPointF(19.5, 10.5), kJoin, 1.8);
    drawArrow(painter, QPointF(19.5, 22.0), QPointF(19.5, 13.5), kJoin, 1.8);
}

void drawAbout(QPainter& painter) {
    drawBadge(painter, kInfo);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12.0, 7.0), 1.9, 1.9);
    QPainterPath stem;
    stem.moveTo(9.5, 10.0);
    stem.lineTo(13.6, 10.0);
    stem.lineTo(13.6, 17.0);
    stem.lineTo(15.0, 17.0);
    stem.lineTo(15.0, 19.0);
    stem.lineTo(9.0, 19.0);
    stem.lineTo(9.0, 17.0);
    stem.lineTo(10.4, 17.0);
    stem.lineTo(10.4, 12.0);
    stem.lineTo(9.5, 12.0);
    stem.closeSubpath();
    painter.drawPath(stem);
}

void drawHelp(QPainter& painter) {
    drawBadge(painter, kHelp);
    QPainterPath hook;
    hook.moveTo(8.4, 9.2);
    hook.arcTo(QRectF(8.4, 5.2, 7.4, 7.2), 180.0, -230.0);
    hook.quadTo(QPointF(12.0, 12.5), QPointF(12.0, 14.6));
    painter.setPen(QPen(Qt::white, 2.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(hook);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(12.0, 18.2), 1.6, 1.6);
}

void drawExit(QPainter& painter) {
    // The door frame, dark inside, with the door swung open towards the viewer.
    const QRectF frame(3.5, 2.5, 11.0, 19.0);
    painter.setPen(inkPen());
    painter.setBrush(QColor(0x3a, 0x46, 0x55));
    painter.drawRect(frame);
    QPolygonF door;
    door << QPointF(3.5, 2.5) << QPointF(9.5, 4.5) << QPointF(9.5, 23.0) << QPointF(3.5, 21.5);
    QLinearGradient wood(QPointF(3.5, 0), QPointF(9.5, 0));
    wood.setColorAt(0.0, kWood.lighter(130));
    wood.setColorAt(1.0, kWood);
    painter.setBrush(wood);
    painter.drawPolygon(door);
    painter.setPen(Qt::NoPen);
    painter.setBrush(kFolder);
    painter.drawEllipse(QPointF(8.2, 13.2), 0.9, 0.9);
    drawArrow(painter, QPointF(11.5, 12.0), QPointF(22.5, 12.0), kCut, 2.0);
}

void drawFolder(QPainter& painter) {
    QPainterPath back;
    back.moveTo(2.5, 5.5);
    back.lineTo(9.0, 5.5);
    back.lineTo(11.0, 7.5);
    back.lineTo(20.5, 7.5);
    back.lineTo(20.5, 19.5);
    back.lineTo(2.5, 19.5);
    back.closeSubpath();
    painter.setPen(QPen(kFolder.darker(170), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(kFolder.darker(115));
    painter.drawPath(back);

    // A sheet peeking out, so it reads as "a folder of files".
    painter.setPen(QPen(kTextLine.darker(120), 0.8));
    painter.setBrush(kPaperLight);
    painter.drawRect(QRectF(5.0, 8.5, 13.0, 6.0));

    QPolygonF front;
    front << QPointF(2.5, 19.5) << QPointF(5.0, 10.5) << QPointF(23.0, 10.5) << QPointF(20.5, 19.5);
    QLinearGradient gradient(QPointF(0, 10.5), QPointF(0, 19.5));
    gradient.setColorAt(0.0, kFolder.lighter(125));
    gradient.setColorAt(1.0, kFolder);
    painter.setPen(QPen(kFolder.darker(170), 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(gradient);
    painter.drawPolygon(front);
}

void drawStart(QPainter& painter) {
    drawBadge(painter, kGo);
    QPolygonF play;
    play << QPointF(9.5, 6.8) << QPointF(17.6, 12.0) << QPointF(9.5, 17.2);
    painter.setPen(QPen(Qt::white, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::white);
    painter.drawPolygon(play);
}

// The product's emblem: a sheet carved into three pieces, drawn on a 32-unit grid.
void drawEmblem(QPainter& painter) {
    drawPiece(painter, QRectF(2.5, 1.5, 20.0, 8.0), false, true, 5.0, 6);
    drawPiece(painter, QRectF(6.0, 12.0, 20.0, 8.0), true, true, 0.0, 6);
    drawPiece(painter, QRectF(9.5, 22.5, 20.0, 8.0), true, false, 0.0, 6);
    drawCut(painter, 0.5, 31.5, 10.75, 1.5);
    drawCut(painter, 0.5, 31.5, 21.25, 1.5);
}

// Seamer's emblem: the three pieces of Carvel's, set edge to edge again, with the join
// picture's arrows bringing them together.
void drawSeamerEmblem(QPainter& painter) {
    drawPiece(painter, QRectF(1.5, 1.5, 20.0, 9.5), false, true, 5.0, 6);
    drawPiece(painter, QRectF(1.5, 11.25, 20.0, 9.5), true, true, 0.0, 6);
    drawPiece(painter, QRectF(1.5, 21.0, 20.0, 9.5), true, false, 0.0, 6);
    drawArrow(painter, QPointF(27.0, 1.5), QPointF(27.0, 13.0), kJoin, 2.0);
    drawArrow(painter, QPointF(27.0, 30.5), QPointF(27.0, 19.0), kJoin, 2.0);
}

using Drawing = void (*)(QPainter&);

Drawing emblemOf(ProgramIcon program) {
    return program == ProgramIcon::Seamer ? drawSeamerEmblem : drawEmblem;
}

void drawLogo(QPainter& painter) {
    // Grid 74 x 102, one unit a pixel of the logo.
    const QRectF plate(1.5, 1.5, 71.0, 99.0);
    QLinearGradient back(plate.topLeft(), plate.bottomLeft());
    back.setColorAt(0.0, QColor(0xe9, 0xf1, 0xfb));
    back.setColorAt(1.0, QColor(0xb9, 0xcf, 0xea));
    painter.setPen(QPen(kInk, 1.5));
    painter.setBrush(back);
    painter.drawRoundedRect(plate, 9.0, 9.0);

    // Three pieces of one sheet, carved apart and each bearing its number.
    const QRectF pieces[] = {
        {9.0, 9.0, 46.0, 24.0}, {14.0, 39.0, 46.0, 23.0}, {19.0, 68.0, 46.0, 24.0}};
    drawPiece(painter, pieces[0], false, true, 11.0, 8);
    drawPiece(painter, pieces[1], true, true, 0.0, 8);
    drawPiece(painter, pieces[2], true, false, 0.0, 8);
    drawCut(painter, 5.0, 69.0, 36.0, 2.0);
    drawCut(painter, 5.0, 69.0, 65.0, 2.0);

    QFont font(QStringLiteral("Arial"));
    font.setBold(true);
    font.setPixelSize(12);
    painter.setFont(font);
    for (int i = 0; i < 3; ++i) {
        const QPointF centre(pieces[i].left() + 1.0, pieces[i].center().y() + 2.0);
        const QRectF disc(centre.x() - 7.5, centre.y() - 7.5, 15.0, 15.0);
        painter.setPen(QPen(kCut.darker(150), 1.0));
        painter.setBrush(glossBrush(kCut, disc));
        painter.drawEllipse(disc);
        painter.setPen(Qt::white);
        painter.drawText(disc, Qt::AlignCenter, QString::number(i + 1));
    }
}

// The link pointer: a two-colour hand whose index finger points up, its tip at (13, 9).
QImage linkHand() {
    QImage image(32, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    QPainterPath hand;
    // Index finger, tip at the hot spot.
    hand.moveTo(11.0, 21.0);
    hand.lineTo(11.0, 11.0);
    hand.quadTo(11.0, 9.0, 13.0, 9.0);
    hand.quadTo(15.0, 9.0, 15.0, 11.0);
    hand.lineTo(15.0, 17.0);
    // Middle, ring and little fingers, folded, each a little lower.
    hand.quadTo(15.0, 15.5, 17.0, 15.5);
    hand.quadTo(19.0, 15.5, 19.0, 17.5);
    hand.quadTo(19.0, 16.5, 21.0, 16.5);
    hand.quadTo(23.0, 16.5, 23.0, 18.5);
    hand.quadTo(23.0, 17.5, 24.5, 17.5);
    hand.quadTo(26.5, 17.5, 26.5, 19.5);
    hand.lineTo(26.5, 25.0);
    // The heel of the hand and the wrist.
    hand.quadTo(26.5, 28.0, 24.0, 30.0);
    hand.lineTo(13.5, 30.0);
    // The thumb, resting against the finger.
    hand.lineTo(7.0, 23.5);
    hand.quadTo(6.0, 21.0, 8.0, 20.5);
    hand.quadTo(9.5, 20.3, 11.0, 22.0);
    hand.closeSubpath();
    painter.setPen(QPen(Qt::black, 1.0, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::white);
    painter.drawPath(hand);
    // The creases between the folded fingers.
    painter.drawLine(QPointF(19.0, 17.5), QPointF(19.0, 21.0));
    painter.drawLine(QPointF(23.0, 18.5), QPointF(23.0, 21.0));
    painter.drawLine(QPointF(15.0, 17.0), QPointF(15.0, 20.0));
    return image;
}

} // namespace

QIcon toolbarIcon(const QString& key) {
    if (key == QLatin1String("Split"))
        return drawnIcon(drawSplit);
    if (key == QLatin1String("Join"))
        return drawnIcon(drawJoin);
    if (key == QLatin1String("About"))
        return drawnIcon(drawAbout);
    if (key == QLatin1String("Help"))
        return drawnIcon(drawHelp);
    return drawnIcon(drawExit);
}

QPixmap toolbarImage(const QString& key) {
    return toolbarIcon(key).pixmap(QSize(24, 24));
}

QPixmap modePicture(const QString& role) {
    // The toolbar's drawings; any role but Split, Join and About shows Help's.
    const bool drawn = role == QLatin1String("Split") || role == QLatin1String("Join") ||
                       role == QLatin1String("About");
    return toolbarIcon(drawn ? role : QStringLiteral("Help")).pixmap(QSize(16, 16));
}

QPixmap programIcon(ProgramIcon program, int size) {
    return render(size, size, 32.0, 32.0, emblemOf(program));
}

void paintProgramIcon(ProgramIcon program, QPainter& painter, qreal size) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    emblemOf(program)(painter);
    painter.restore();
}

QIcon windowIcon(ProgramIcon program) {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(programIcon(program, size));
    return icon;
}

QIcon selectFileIcon() {
    return drawnIcon(drawFolder);
}

QPixmap selectFilePicture() {
    return screenPicture(drawFolder, 16);
}

QIcon startIcon() {
    return drawnIcon(drawStart);
}

QPixmap startPicture() {
    return screenPicture(drawStart, 24);
}

QPixmap aboutLogo() {
    return render(74, 102, 74.0, 102.0, drawLogo, qApp->devicePixelRatio());
}

QCursor linkCursor() {
    const QImage hand = linkHand();
    QImage ink(32, 32, QImage::Format_Mono);
    QImage mask(32, 32, QImage::Format_Mono);
    // Index 0 is colour0 (white, or transparent in the mask), index 1 colour1 (black, or shown).
    const QList<QRgb> table{qRgb(255, 255, 255), qRgb(0, 0, 0)};
    ink.setColorTable(table);
    mask.setColorTable(table);
    ink.fill(0);
    mask.fill(0);
    // Two colours only: black where the outline is, white inside, nothing elsewhere.
    for (int y = 0; y < 32; ++y) {
        for (int x = 0; x < 32; ++x) {
            const QRgb pixel = hand.pixel(x, y);
            if (qAlpha(pixel) < 128)
                continue;
            mask.setPixel(x, y, 1);
            if (qGray(pixel) < 128)
                ink.setPixel(x, y, 1);
        }
    }
    return QCursor(QBitmap::fromImage(ink), QBitmap::fromImage(mask), kLinkHotSpotX, kLinkHotSpotY);
}

} // namespace carvel::Artwork
