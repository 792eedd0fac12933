#pragma once

#include <QRect>
#include <QSize>

namespace carvel {

// The windows are laid out in twips; at 15 twips a pixel, the one conversion of the program.
constexpr int kTwipsPerPixel = 15;

constexpr int twips(int value) {
    return value / kTwipsPerPixel;
}
constexpr QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twips(left), twips(top), twips(width), twips(height));
}
constexpr QSize twipsSize(int width, int height) {
    return QSize(twips(width), twips(height));
}

} // namespace carvel
