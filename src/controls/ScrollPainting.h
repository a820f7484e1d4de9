#pragma once

#include <QImage>

namespace padrix::scroll {

// The images are drawn at a device pixel ratio (device pixels per pixel of the sizes below)
// and carry it; a ratio of 1 gives the sizes as they are.

/// The arrow key, 30 x 22: near-black with a white upward triangle; the two rounded top
/// corners are the mask colour.
QImage arrowImage(qreal ratio = 1);
/// The thumb at rest, 30 x 30: a grey grip.
QImage thumbImage(qreal ratio = 1);
/// The thumb while dragged, 30 x 30: the grip in a grey-teal tint.
QImage draggingThumbImage(qreal ratio = 1);

/// The bar without its thumb: shaded frame, checkered track, an arrow at each end. Its
/// mask-colour pixels are see-through.
QImage background(int width, int height, int backColor, qreal ratio = 1);

/// The bar as a repaint shows it, at the background's ratio: the background with the thumb (scaled
/// to the bar's width and thumb height + 2 rows) at thumbTop; nothing when thumbShown is false.
QImage repaint(const QImage& background, bool thumbShown, int thumbTop, int thumbHeight,
               bool dragging, QRgb frameColor);

/// The track frame: a one-pixel outline through (1, 20) and (W - 2, H - 21).
void drawTrackFrame(QImage& surface, QRgb color);

} // namespace padrix::scroll
