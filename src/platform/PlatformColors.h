#pragma once

#include <QColor>
#include <QRgb>

namespace padrix {

/// Colour values as the program stores them: 0x00BBGGRR, red in the low byte.
constexpr QRgb rgbOf(int bgr) {
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
constexpr int bgrOf(int red, int green, int blue) {
    return red | (green << 8) | (blue << 16);
}
constexpr int bgrOf(QRgb rgb) {
    return bgrOf(qRed(rgb), qGreen(rgb), qBlue(rgb));
}
inline QColor colorOf(int bgr) {
    return QColor(rgbOf(bgr));
}

} // namespace padrix
