#include "controls/ScrollPainting.h"

#include "controls/PixelDrawing.h"
#include "controls/ScrollGeometry.h"

#include <QPainter>

namespace padrix::scroll {

namespace {

/// A grip: light left edge, dark right edge, three light horizontal grip lines.
QImage grip(QRgb face, QRgb light, QRgb dark) {
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(face);
    box(image, 0, 0, 29, 29, dark);
    verticalLine(image, 0, 0, 30, light);
    verticalLine(image, 1, 1, 29, light);
    verticalLine(image, 28, 1, 29, dark);
    horizontalLine(image, 0, 30, 0, light);
    for (int y : {11, 14, 17}) {
        horizontalLine(image, 8, 22, y, light);
        horizontalLine(image, 8, 22, y + 1, dark);
    }
    return image;
}

QImage scaled(const QImage& image, int width, int height) {
    // Nearest pixel, so that mask-colour pixels stay exactly that colour.
    return image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::FastTransformation);
}

} // namespace

QImage arrowImage() {
    QImage image(30, 22, QImage::Format_RGB32);
    const QRgb key = qRgb(24, 24, 28);
    image.fill(key);
    // A slightly lighter rim gives the key some depth.
    box(image, 0, 0, 29, 21, qRgb(64, 64, 70));
    // White upward triangle, 13 wide at its base.
    for (int row = 0; row < 7; ++row)
        horizontalLine(image, 15 - row, 15 + row + 1, 7 + row, qRgb(255, 255, 255));
    // Rounded top corners.
    const QRgb mask = rgbOf(MaskColor);
    for (const QPoint p :
         {QPoint(0, 0), QPoint(1, 0), QPoint(2, 0), QPoint(0, 1), QPoint(0, 2), QPoint(29, 0),
          QPoint(28, 0), QPoint(27, 0), QPoint(29, 1), QPoint(29, 2)})
        setPixel(image, p.x(), p.y(), mask);
    return image;
}

QImage thumbImage() {
    return grip(qRgb(192, 192, 192), qRgb(240, 240, 240), qRgb(96, 96, 96));
}

QImage draggingThumbImage() {
    return grip(qRgb(150, 184, 184), qRgb(214, 236, 236), qRgb(64, 96, 96));
}

QImage background(int width, int height, int backColor) {
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

    QImage image(w, h, QImage::Format_RGB32);
    image.fill(rgbOf(backColor));
    for (int y = 20; y <= h - 22; y += 2) {
        for (int x = 0; x <= w; x += 2) {
            setPixel(image, x, y, s70);
            setPixel(image, x + 1, y + 1, s70);
        }
    }
    box(image, 0, 0, w - 1, h - 1, s55);
    box(image, 1, 1, w - 2, h - 2, s80);
    QPainter painter(&image);
    const QImage arrow = scaled(arrowImage(), w, 20);
    painter.drawImage(0, 0, arrow);
    painter.drawImage(0, h - 20, arrow.mirrored(false, true));
    return image;
}

QImage repaint(const QImage& background, bool thumbShown, int thumbTop, int thumbHeight,
               bool dragging, QRgb frameColor) {
    QImage surface = background.copy();
    if (thumbShown && thumbHeight > 0) {
        QPainter painter(&surface);
        painter.drawImage(0, thumbTop,
                          scaled(dragging ? draggingThumbImage() : thumbImage(), surface.width(),
                                 thumbHeight + 2));
    }
    if (thumbShown && dragging)
        drawTrackFrame(surface, frameColor);
    return surface;
}

void drawTrackFrame(QImage& surface, QRgb color) {
    box(surface, 1, 20, surface.width() - 2, surface.height() - 21, color);
}

} // namespace padrix::scroll
