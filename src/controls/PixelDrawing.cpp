#include "controls/PixelDrawing.h"

#include <QRegion>

#include <algorithm>

namespace padrix {

void setPixel(QImage& image, int x, int y, QRgb color) {
    if (x >= 0 && y >= 0 && x < image.width() && y < image.height())
        reinterpret_cast<QRgb*>(image.scanLine(y))[x] = color;
}

void verticalLine(QImage& image, int x, int y1, int y2, QRgb color) {
    for (int y = y1; y < y2; ++y)
        setPixel(image, x, y, color);
}

void horizontalLine(QImage& image, int x1, int x2, int y, QRgb color) {
    for (int x = x1; x < x2; ++x)
        setPixel(image, x, y, color);
}

void box(QImage& image, int x1, int y1, int x2, int y2, QRgb color) {
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    horizontalLine(image, x1, x2 + 1, y1, color);
    horizontalLine(image, x1, x2 + 1, y2, color);
    verticalLine(image, x1, y1, y2 + 1, color);
    verticalLine(image, x2, y1, y2 + 1, color);
}

QRegion opaqueRegion(const QImage& image) {
    QRegion region;
    const QRgb mask = rgbOf(MaskColor);
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        int x = 0;
        while (x < image.width()) {
            while (x < image.width() && (row[x] | 0xFF000000) == (mask | 0xFF000000))
                ++x;
            const int start = x;
            while (x < image.width() && (row[x] | 0xFF000000) != (mask | 0xFF000000))
                ++x;
            if (x > start)
                region += QRect(start, y, x - start, 1);
        }
    }
    return region;
}

} // namespace padrix
