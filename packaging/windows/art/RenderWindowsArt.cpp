#include "Artwork.h"

#include <QApplication>
#include <QBitmap>
#include <QBuffer>
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>

#include <cstdio>
#include <vector>

// Writes the Windows programs' pictures into OUTPUT, drawn by the same code as the Linux
// windows' (ui/Artwork.cpp): the icons as .ico files of several sizes, the About box's logo as a
// 32-bit .bmp and the link's pointer as a .cur with its hot spot. The names are those of
// cmake/WindowsArtFiles.cmake; ui/win32/ArtworkIds.h gives their resource numbers. Run at build
// time on the build host; no display is needed.

namespace {

using carvel::Artwork::ProgramIcon;

void put16(QByteArray& out, quint16 value) {
    const quint16 little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), 2);
}

void put32(QByteArray& out, quint32 value) {
    const quint32 little = qToLittleEndian(value);
    out.append(reinterpret_cast<const char*>(&little), 4);
}

// A 40-byte BITMAPINFOHEADER of a 32-bit bottom-up image; `rows` is the height it records.
void putInfoHeader(QByteArray& out, int width, int rows, quint32 imageBytes) {
    put32(out, 40);
    put32(out, static_cast<quint32>(width));
    put32(out, static_cast<quint32>(rows));
    put16(out, 1);  // planes
    put16(out, 32); // bits per pixel
    put32(out, 0);  // BI_RGB
    put32(out, imageBytes);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
    put32(out, 0);
}

// The image's pixels as Windows keeps them: rows from the bottom up, each pixel B, G, R, A.
QByteArray bottomUpPixels(const QImage& image) {
    QByteArray out;
    for (int y = image.height() - 1; y >= 0; --y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            put32(out, line[x]); // 0xAARRGGBB, little-endian: B, G, R, A
    }
    return out;
}

// One image of an icon or a cursor: a PNG from 256 pixels up (as Windows itself stores them),
// else a 32-bit DIB of twice the height followed by the AND mask, set where fully transparent.
QByteArray iconImage(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32);
    QByteArray out;
    if (image.width() >= 256) {
        QBuffer buffer(&out);
        buffer.open(QIODevice::WriteOnly);
        image.save(&buffer, "PNG");
        return out;
    }
    const int maskStride = ((image.width() + 31) / 32) * 4;
    const QByteArray pixels = bottomUpPixels(image);
    putInfoHeader(out, image.width(), image.height() * 2,
                  static_cast<quint32>(pixels.size() + maskStride * image.height()));
    out.append(pixels);
    for (int y = image.height() - 1; y >= 0; --y) {
        QByteArray row(maskStride, '\0');
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 0)
                row[x / 8] = static_cast<char>(row[x / 8] | (0x80 >> (x % 8)));
        out.append(row);
    }
    return out;
}

// An .ico (type 1) or, with a hot spot, a .cur (type 2) holding the given images.
QByteArray iconFile(const std::vector<QImage>& images, const QPoint* hotSpot = nullptr) {
    std::vector<QByteArray> data;
    for (const QImage& image : images)
        data.push_back(iconImage(image));
    QByteArray out;
    put16(out, 0);
    put16(out, hotSpot != nullptr ? 2 : 1);
    put16(out, static_cast<quint16>(images.size()));
    quint32 offset = 6 + 16 * static_cast<quint32>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        out.append(static_cast<char>(images[i].width() >= 256 ? 0 : images[i].width()));
        out.append(static_cast<char>(images[i].height() >= 256 ? 0 : images[i].height()));
        out.append('\0'); // colours: more than 256
        out.append('\0');
        put16(out, hotSpot != nullptr ? static_cast<quint16>(hotSpot->x()) : 1);
        put16(out, hotSpot != nullptr ? static_cast<quint16>(hotSpot->y()) : 32);
        put32(out, static_cast<quint32>(data[i].size()));
        put32(out, offset);
        offset += static_cast<quint32>(data[i].size());
    }
    for (const QByteArray& image : data)
        out.append(image);
    return out;
}

// A .bmp of 32 bits a pixel with premultiplied alpha, as AlphaBlend takes it.
QByteArray bitmapFile(const QImage& picture) {
    const QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QByteArray pixels = bottomUpPixels(image);
    QByteArray out("BM");
    put32(out, static_cast<quint32>(14 + 40 + pixels.size()));
    put32(out, 0);
    put32(out, 14 + 40);
    putInfoHeader(out, image.width(), image.height(), static_cast<quint32>(pixels.size()));
    out.append(pixels);
    return out;
}

std::vector<QImage> drawn(const QIcon& icon, std::initializer_list<int> sizes) {
    std::vector<QImage> images;
    for (const int size : sizes)
        images.push_back(icon.pixmap(QSize(size, size), 1.0).toImage());
    return images;
}

std::vector<QImage> programIcon(ProgramIcon program) {
    std::vector<QImage> images;
    for (const int size : {16, 24, 32, 48, 256})
        images.push_back(carvel::Artwork::programIcon(program, size).toImage());
    return images;
}

// The link's two-colour pointer: black where its outline is, white inside, nothing elsewhere.
QImage linkHand() {
    const QCursor cursor = carvel::Artwork::linkCursor();
    const QImage ink = cursor.bitmap().toImage();
    const QImage mask = cursor.mask().toImage();
    QImage hand(ink.size(), QImage::Format_ARGB32);
    hand.fill(Qt::transparent);
    for (int y = 0; y < hand.height(); ++y)
        for (int x = 0; x < hand.width(); ++x)
            if (mask.pixelIndex(x, y) == 1)
                hand.setPixel(x, y,
                              ink.pixelIndex(x, y) == 1 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    return hand;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s OUTPUT\n", argv[0]);
        return 2;
    }
    QApplication application(argc, argv);
    const QDir output(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(output.path())) {
        std::fprintf(stderr, "Cannot make %s\n", argv[1]);
        return 1;
    }
    const QPoint hotSpot(carvel::Artwork::kLinkHotSpotX, carvel::Artwork::kLinkHotSpotY);
    std::vector<std::pair<QString, QByteArray>> pictures = {
        {"carvel.ico", iconFile(programIcon(ProgramIcon::Carvel))},
        {"seamer.ico", iconFile(programIcon(ProgramIcon::Seamer))},
        {"select-file.ico", iconFile(drawn(carvel::Artwork::selectFileIcon(), {16, 24, 32}))},
        {"start.ico", iconFile(drawn(carvel::Artwork::startIcon(), {16, 24, 32, 48}))},
        {"about-logo.bmp", bitmapFile(carvel::Artwork::aboutLogo().toImage())},
        {"link-hand.cur", iconFile({linkHand()}, &hotSpot)},
    };
    // The status bar's mode pictures are the toolbar's drawings, smaller; Exit has none.
    for (const QString key : {"Split", "Join", "About", "Help", "Exit"}) {
        const QIcon icon = carvel::Artwork::toolbarIcon(key);
        pictures.emplace_back("toolbar-" + key.toLower() + ".ico",
                              iconFile(drawn(icon, {16, 24, 32, 48})));
        if (key != "Exit")
            pictures.emplace_back("mode-" + key.toLower() + ".ico",
                                  iconFile(drawn(icon, {16, 24, 32})));
    }
    for (const auto& [name, data] : pictures) {
        QFile file(output.filePath(name));
        if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size()) {
            std::fprintf(stderr, "Cannot write %s\n", qPrintable(file.fileName()));
            return 1;
        }
    }
    return 0;
}
