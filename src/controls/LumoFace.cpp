#include "controls/LumoFace.h"

#include "controls/PixelDrawing.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace padrix {

namespace {

/// colour(r, g, b): each counter above 255 counts as 255.
QRgb counterColor(int r, int g, int b) {
    return qRgb(std::min(r, 255), std::min(g, 255), std::min(b, 255));
}

/// Paints rows 0..H (the last one outside the image) with counters falling by 2 per row from
/// the start values; returns the colour of the first row drawn and of the last.
std::pair<QRgb, QRgb> gradient(QImage& image, int r, int g, int b) {
    QRgb first = 0;
    QRgb last = 0;
    for (int y = 0; y <= image.height(); ++y) {
        r = std::max(r - 2, 0);
        g = std::max(g - 2, 0);
        b = std::max(b - 2, 0);
        last = counterColor(r, g, b);
        if (y == 0)
            first = last;
        horizontalLine(image, 0, image.width(), y, last);
    }
    return {first, last};
}

void drawCaption(QImage& image, const LumoFaces& faces, const LumoFaceState& state, QRgb color) {
    if (state.caption.isEmpty())
        return;
    QPainter painter(&image);
    painter.setFont(state.font);
    painter.setPen(QColor(color));
    const QFontMetrics metrics(state.font);
    painter.drawText(QPoint(faces.textX, faces.textY + metrics.ascent()), state.caption);
}

// The pieces the frame tables are made of.

/// A dark line one pixel in from the right edge and a light one on the edge.
void rightEdge(QImage& image, QRgb light, QRgb dark) {
    verticalLine(image, image.width() - 2, 0, image.height(), dark);
    verticalLine(image, image.width() - 1, 0, image.height(), light);
}

/// The box through (-1, -1)-(W - 1, H - 1), which shows only its right and bottom sides, and
/// the box through (0, 0)-(W - 2, H - 2).
void edgeBoxes(QImage& image, QRgb outer, QRgb inner) {
    box(image, -1, -1, image.width() - 1, image.height() - 1, outer);
    box(image, 0, 0, image.width() - 2, image.height() - 2, inner);
}

void maskPixels(QImage& image, std::initializer_list<QPoint> points) {
    for (const QPoint p : points)
        setPixel(image, p.x(), p.y(), rgbOf(MaskColor));
}

void highlightBorder(QImage& image, int border, QRgb light, QRgb dark) {
    const int w = image.width();
    const int h = image.height();
    switch (border) {
    case 0:
        rightEdge(image, light, dark);
        break;
    case 1:
        box(image, 1, 1, w - 2, h - 2, light);
        box(image, 2, 2, w - 3, h - 3, dark);
        break;
    case 2:
        edgeBoxes(image, qRgb(255, 255, 255), light);
        break;
    case 3:
        maskPixels(image, {{1, 0}, {0, 0}, {0, 1}});
        break;
    default:
        break;
    }
}

void normalBorder(QImage& image, int border, QRgb light, QRgb dark) {
    const int w = image.width();
    const int h = image.height();
    switch (border) {
    case 2:
        edgeBoxes(image, light, dark);
        break;
    case 3:
        // Rounded corners: the corner pixel and the next two along each edge.
        maskPixels(image,
                   {{1, 0},         {0, 0},         {0, 1},         {2, 0},         {0, 2},
                    {w - 1, 0},     {w - 2, 0},     {w - 1, 1},     {w - 3, 0},     {w - 1, 2},
                    {w - 3, h - 1}, {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}, {w - 1, h - 3},
                    {0, h - 3},     {0, h - 2},     {0, h - 1},     {1, h - 1},     {2, h - 1}});
        break;
    default:
        highlightBorder(image, border, light, dark); // styles 0 and 1 draw alike
        break;
    }
}

void pressedOverlay(QImage& image, int border, QRgb light, QRgb dark) {
    switch (border) {
    case 0:
        rightEdge(image, light, dark);
        break;
    case 2:
        edgeBoxes(image, dark, dark);
        break;
    case 3:
        box(image, 0, 0, image.width() - 1, image.height() - 1, light);
        box(image, -1, -1, image.width() - 1, image.height() - 1, light);
        break;
    default:
        break; // style 1 and unknown styles press without an overlay
    }
}

} // namespace

LumoFaces renderLumoFaces(const LumoFaceState& state) {
    LumoFaces faces;
    const int w = std::max(state.width, 1);
    const int h = std::max(state.height, 1);
    const int red = state.renderColor & 0xFF;
    const int green = (state.renderColor >> 8) & 0xFF;
    const int blue = (state.renderColor >> 16) & 0xFF;

    const QFontMetrics metrics(state.font);
    faces.textX =
        static_cast<int>(std::nearbyint((w - metrics.horizontalAdvance(state.caption)) / 2.0));
    faces.textY = static_cast<int>(std::nearbyint((h - metrics.height()) / 2.0));

    QImage image(w, h, QImage::Format_RGB32);
    // The highlight gradient starts 60 above the render colour; its light colour is the start.
    const QRgb highBottom = gradient(image, red + 60, green + 60, blue + 60).second;
    highlightBorder(image, state.border, counterColor(red + 60, green + 60, blue + 60), highBottom);
    faces.highlight = image.copy();

    const auto [top, bottom] = gradient(image, red, green, blue);
    faces.light = bgrOf(top);
    faces.dark = bgrOf(bottom);
    normalBorder(image, state.border, top, bottom);
    faces.resting = image;
    drawCaption(faces.resting, faces, state, qRgb(255, 255, 255));
    return faces;
}

QImage lumoLook(const LumoFaces& faces, LumoLook look, const LumoFaceState& state) {
    if (look == LumoLook::Resting)
        return faces.resting;
    QImage image = faces.highlight.copy();
    if (look == LumoLook::Highlighted) {
        drawCaption(image, faces, state, qRgb(255, 255, 255));
    } else {
        pressedOverlay(image, state.border, rgbOf(faces.light), rgbOf(faces.dark));
        drawCaption(image, faces, state, rgbOf(faces.dark));
    }
    return image;
}

} // namespace padrix
