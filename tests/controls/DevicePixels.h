#pragma once

#include <QImage>

namespace padrix::test {

/// The pairs of neighbouring device columns (0 and 1, 2 and 3, ...) whose pixels differ: none
/// in an image enlarged from half its width, many where edges are drawn at device resolution.
inline int splitColumnPairs(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x + 1 < image.width(); x += 2)
            n += image.pixel(x, y) != image.pixel(x + 1, y) ? 1 : 0;
    return n;
}

} // namespace padrix::test
