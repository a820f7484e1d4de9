#pragma once

#include "platform/PlatformColors.h"

#include <QImage>
#include <QRegion>
#include <QRgb>

#include <cmath>

namespace padrix {

/// The colour that marks see-through pixels of a control's face.
constexpr int MaskColor = 0xFF00FF;

/// Fills the pixels x1 <= x < x2, y1 <= y < y2 of an RGB32 image; anything outside the image
/// is skipped. The drawing below is made of it.
void fillRect(QImage& image, int x1, int y1, int x2, int y2, QRgb color);
/// An image addressed in its control's own pixels: each of them covers the device pixels
/// from device(x) to device(x + 1), so a ratio of 1 draws exactly the pixels named.
struct Canvas {
    QImage& image;
    int width;  // logical pixels
    int height; // logical pixels
    qreal ratio;

    int device(int v) const { return static_cast<int>(std::lround(v * ratio)); }

    /// The logical pixels x1 <= x < x2, y1 <= y < y2.
    void fill(int x1, int y1, int x2, int y2, QRgb color) const {
        fillRect(image, device(x1), device(y1), device(x2), device(y2), color);
    }
    void pixel(int x, int y, QRgb color) const { fill(x, y, x + 1, y + 1, color); }
    void vertical(int x, int y1, int y2, QRgb color) const { fill(x, y1, x + 1, y2, color); }
    /// A one-pixel outline through both corner pixels.
    void box(int x1, int y1, int x2, int y2, QRgb color) const {
        fill(x1, y1, x2 + 1, y1 + 1, color);
        fill(x1, y2, x2 + 1, y2 + 1, color);
        fill(x1, y1, x1 + 1, y2 + 1, color);
        fill(x2, y1, x2 + 1, y2 + 1, color);
    }
};

/// An RGB32 image of a control's width x height pixels at the given device pixel ratio.
QImage deviceImage(int width, int height, qreal ratio);
/// The image in its control's pixels, as its device pixel ratio says.
Canvas canvasOf(QImage& image);

/// The region of the image's pixels that are not the mask colour.
QRegion opaqueRegion(const QImage& image);
/// The same region in the control's pixels, for an image of any device pixel ratio.
QRegion logicalOpaqueRegion(const QImage& image);

} // namespace padrix
