#pragma once

#include "platform/PlatformColors.h"

#include <QImage>
#include <QRegion>
#include <QRgb>

namespace padrix {

/// The colour that marks see-through pixels of a control's face.
constexpr int MaskColor = 0xFF00FF;

/// Fills the pixels x1 <= x < x2, y1 <= y < y2 of an RGB32 image; anything outside the image
/// is skipped. The drawing below is made of it.
void fillRect(QImage& image, int x1, int y1, int x2, int y2, QRgb color);
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
