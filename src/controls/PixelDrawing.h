#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>

namespace padrix {

/// Colour values as the controls store them: 0x00BBGGRR, red in the low byte.
constexpr QRgb rgbOf(int bgr) {
    return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}
constexpr int bgrOf(int red, int green, int blue) {
    return red | (green << 8) | (blue << 16);
}
constexpr int bgrOf(QRgb rgb) {
    return bgrOf(qRed(rgb), qGreen(rgb), qBlue(rgb));
}

/// The colour that marks see-through pixels of a control's face.
constexpr int MaskColor = 0xFF00FF;

/// Exact one-pixel drawing on an RGB32 image; anything outside the image is skipped.
void setPixel(QImage& image, int x, int y, QRgb color);
/// A vertical line from (x, y1) down to, but not including, (x, y2).
void verticalLine(QImage& image, int x, int y1, int y2, QRgb color);
/// A horizontal line from (x1, y) to, but not including, (x2, y).
void horizontalLine(QImage& image, int x1, int x2, int y, QRgb color);
/// A one-pixel rectangle outline through both corner pixels.
void box(QImage& image, int x1, int y1, int x2, int y2, QRgb color);
/// The region of the image's pixels that are not the mask colour.
QRegion opaqueRegion(const QImage& image);

} // namespace padrix
