#include "controls/ScrollPainting.h"

#include "controls/PixelDrawing.h"
#include "controls/ScrollGeometry.h"

#include <QPainter>

#include <cmath>

namespace padrix::scroll {

namespace {

/// A grip: light left edge, dark right edge, three light horizontal grip lines.
QImage grip(QRgb face, QRgb light, QRgb dark, qreal ratio) {
    QImage image = deviceImage(30, 30, ratio);
    image.fill(face);
    const Canvas c = canvasOf(image);
    c.box(0, 0, 29, 29, dark);
    c.vertical(0, 0, 30, light);
    c.vertical(1, 1, 29, light);
    c.vertical(28, 1, 29, dark);
    c.fill(0, 0, 30, 1, light);
    for (int y : {11, 14, 17}) {
        c.fill(8, y, 22, y + 1, light);
        c.fill(8, y + 1, 22, y + 2, dark);
    }
    return image;
}

/// The image stretched to width x height of its control's pixels, at its own ratio.
QImage scaled(const QImage& image, int width, int height) {
    // Nearest pixel, so that mask-colour pixels stay exactly that colour.
    const qreal ratio = image.devicePixelRatio();
    QImage result = image.scaled(static_cast<int>(std::lround(width * ratio)),
                                 static_cast<int>(std::lround(height * ratio)),
                                 Qt::IgnoreAspectRatio, Qt::FastTransformation);
    result.setDevicePixelRatio(ratio);
    return result;
}

} // namespace

QImage arrowImage(qreal ratio) {
    QImage image = deviceImage(30, 22, ratio);
    const Canvas c = canvasOf(image);
    const QRgb key = qRgb(24, 24, 28);
    image.fill(key);
    // A slightly lighter rim gives the key some depth.
    c.box(0, 0, 29, 21, qRgb(64, 64, 70));
    // White upward triangle, 13 wide at its base: logical row t spans 15 - t <= x < 16 + t. A
    // finer image follows the slope a device row at a time.
    for (int y = c.device(7); y < c.device(14); ++y) {
        const qreal t = (y + 0.5) / ratio - 7.5;
        fillRect(image, static_cast<int>(std::lround((15 - t) * ratio)), y,
                 static_cast<int>(std::lround((16 + t) * ratio)), y + 1, qRgb(255, 255, 255));
    }
    // Rounded top corners.
    const QRgb mask = rgbOf(MaskColor);
    for (const QPoint p :
         {QPoint(0, 0), QPoint(1, 0), QPoint(2, 0), QPoint(0, 1), QPoint(0, 2), QPoint(29, 0),
          QPoint(28, 0), QPoint(27, 0), QPoint(29, 1), QPoint(29, 2)})
        c.pixel(p.x(), p.y(), mask);
    return image;
}

QImage thumbImage(qreal ratio) {
    return grip(qRgb(192, 192, 192), qRgb(240, 240, 240), qRgb(96, 96, 96), ratio);
}

QImage draggingThumbImage(qreal ratio) {
    return grip(qRgb(150, 184, 184), qRgb(214, 236, 236), qRgb(64, 96, 96), ratio);
}

QImage background(int width, int height, int backColor, qreal ratio) {
    const int w = std::max(width, 1);
    const int h = std::max(height, 1);
    const int red = backColor & 0xFF;
    const int green = (backColor >> 8) & 0xFF;
    const int blue = (backColor >> 16) & 0xFF;
    // shade(f): each component times f, computed as (c / 200) * (200 f), halves to even.
    auto shade = [&](int twoHundredF) {
        auto part = [&](int c) { return nearest(c / 200.0 * twoHundredF); };
        return qRgb(part(red), part(green), part(blue));
    };
    const QRgb s55 = shade(110);
    const QRgb s70 = shade(140);
    const QRgb s80 = shade(160);

    QImage image = deviceImage(w, h, ratio);
    const Canvas c = canvasOf(image);
    image.fill(rgbOf(backColor));
    for (int y = 20; y <= h - 22; y += 2) {
        for (int x = 0; x <= w; x += 2) {
            c.pixel(x, y, s70);
            c.pixel(x + 1, y + 1, s70);
        }
    }
    c.box(0, 0, w - 1, h - 1, s55);
    c.box(1, 1, w - 2, h - 2, s80);
    QPainter painter(&image);
    const QImage arrow = scaled(arrowImage(ratio), w, 20);
    painter.drawImage(0, 0, arrow);
    painter.drawImage(0, h - 20, arrow.mirrored(false, true));
    return image;
}

QImage repaint(const QImage& background, bool thumbShown, int thumbTop, int thumbHeight,
               bool dragging, QRgb frameColor) {
    QImage surface = background.copy();
    const qreal ratio = surface.devicePixelRatio();
    if (thumbShown && thumbHeight > 0) {
        QPainter painter(&surface);
        painter.drawImage(0, thumbTop,
                          scaled(dragging ? draggingThumbImage(ratio) : thumbImage(ratio),
                                 canvasOf(surface).width, thumbHeight + 2));
    }
    if (thumbShown && dragging)
        drawTrackFrame(surface, frameColor);
    return surface;
}

void drawTrackFrame(QImage& surface, QRgb color) {
    const Canvas c = canvasOf(surface);
    c.box(1, 20, c.width - 2, c.height - 21, color);
}

} // namespace padrix::scroll
