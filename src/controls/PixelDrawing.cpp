#include "controls/PixelDrawing.h"

#include <QRegion>

#include <algorithm>
#include <vector>

namespace padrix {

void fillRect(QImage& image, int x1, int y1, int x2, int y2, QRgb color) {
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, image.width());
    y2 = std::min(y2, image.height());
    if (x1 >= x2 || y1 >= y2)
        return;
    // One detach check for the whole rectangle, then plain row pointers.
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = y1; y < y2; ++y) {
        auto* row = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(row + x1, row + x2, color);
    }
}

QImage deviceImage(int width, int height, qreal ratio) {
    QImage image(static_cast<int>(std::lround(width * ratio)),
                 static_cast<int>(std::lround(height * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    return image;
}

Canvas canvasOf(QImage& image) {
    const QSize size = image.deviceIndependentSize().toSize();
    return {image, size.width(), size.height(), image.devicePixelRatio()};
}

QRegion opaqueRegion(const QImage& image) {
    // The spans of each row; a row that repeats the one above makes its rectangles taller.
    // The rectangles come in the bands a region keeps, so it is set at once.
    std::vector<QRect> rects;
    std::size_t rowStart = 0; // the first rectangle of the row above
    std::size_t rowEnd = 0;   // one past its last
    const QRgb mask = rgbOf(MaskColor) | 0xFF000000;
    const int w = image.width();
    std::vector<QRect> spans;
    for (int y = 0; y < image.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        spans.clear();
        int x = 0;
        while (x < w) {
            while (x < w && (row[x] | 0xFF000000) == mask)
                ++x;
            const int start = x;
            while (x < w && (row[x] | 0xFF000000) != mask)
                ++x;
            if (x > start)
                spans.emplace_back(start, y, x - start, 1);
        }
        const bool repeats =
            rowEnd - rowStart == spans.size() && rowEnd > rowStart &&
            rects[rowEnd - 1].bottom() == y - 1 &&
            std::equal(spans.begin(), spans.end(), rects.begin() + std::ptrdiff_t(rowStart),
                       [](const QRect& a, const QRect& b) {
                           return a.left() == b.left() && a.right() == b.right();
                       });
        if (repeats) {
            for (std::size_t i = rowStart; i < rowEnd; ++i)
                rects[i].setBottom(y);
            continue;
        }
        rowStart = rects.size();
        rects.insert(rects.end(), spans.begin(), spans.end());
        rowEnd = rects.size();
    }
    QRegion region;
    region.setRects(rects.data(), static_cast<int>(rects.size()));
    return region;
}

QRegion logicalOpaqueRegion(const QImage& image) {
    // Nearest-pixel scaling keeps the mask colour exact.
    const QSize size = image.deviceIndependentSize().toSize();
    return opaqueRegion(size == image.size()
                            ? image
                            : image.scaled(size, Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

} // namespace padrix
