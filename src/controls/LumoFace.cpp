#include "controls/LumoFace.h"

#include "controls/PixelDrawing.h"

#include <QCache>
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
/// the start values; returns the colour of the first row drawn and of the last. On a finer
/// image each device row falls by its share, so the gradient is as smooth as the screen.
std::pair<QRgb, QRgb> gradient(const Canvas& canvas, int r, int g, int b) {
    auto colorAfter = [&](int fall) {
        return counterColor(std::max(r - fall, 0), std::max(g - fall, 0), std::max(b - fall, 0));
    };
    const int rows = canvas.image.height();
    for (int y = 0; y < rows; ++y) {
        const int fall = static_cast<int>(std::lround(2.0 * (y + 1) / canvas.ratio));
        fillRect(canvas.image, 0, y, canvas.image.width(), y + 1, colorAfter(fall));
    }
    return {colorAfter(2), colorAfter(2 * (canvas.height + 1))};
}

void drawCaption(QImage& image, const LumoFaces& faces, const LumoFaceState& state, QRgb color) {
    if (state.caption.isEmpty())
        return;
    // The painter works in the button's pixels; the text is laid out at the image's ratio.
    QPainter painter(&image);
    painter.setFont(state.font);
    painter.setPen(QColor(color));
    const QFontMetrics metrics(state.font);
    painter.drawText(QPoint(faces.textX, faces.textY + metrics.ascent()), state.caption);
}

// The pieces the frame tables are made of.

/// A dark line one pixel in from the right edge and a light one on the edge.
void rightEdge(const Canvas& c, QRgb light, QRgb dark) {
    c.vertical(c.width - 2, 0, c.height, dark);
    c.vertical(c.width - 1, 0, c.height, light);
}

/// The box through (-1, -1)-(W - 1, H - 1), which shows only its right and bottom sides, and
/// the box through (0, 0)-(W - 2, H - 2).
void edgeBoxes(const Canvas& c, QRgb outer, QRgb inner) {
    c.box(-1, -1, c.width - 1, c.height - 1, outer);
    c.box(0, 0, c.width - 2, c.height - 2, inner);
}

void maskPixels(const Canvas& c, std::initializer_list<QPoint> points) {
    for (const QPoint p : points)
        c.pixel(p.x(), p.y(), rgbOf(MaskColor));
}

void highlightBorder(const Canvas& c, int border, QRgb light, QRgb dark) {
    const int w = c.width;
    const int h = c.height;
    switch (border) {
    case 0:
        rightEdge(c, light, dark);
        break;
    case 1:
        c.box(1, 1, w - 2, h - 2, light);
        c.box(2, 2, w - 3, h - 3, dark);
        break;
    case 2:
        edgeBoxes(c, qRgb(255, 255, 255), light);
        break;
    case 3:
        maskPixels(c, {{1, 0}, {0, 0}, {0, 1}});
        break;
    default:
        break;
    }
}

void normalBorder(const Canvas& c, int border, QRgb light, QRgb dark) {
    const int w = c.width;
    const int h = c.height;
    switch (border) {
    case 2:
        edgeBoxes(c, light, dark);
        break;
    case 3:
        // Rounded corners: the corner pixel and the next two along each edge.
        maskPixels(c,
                   {{1, 0},         {0, 0},         {0, 1},         {2, 0},         {0, 2},
                    {w - 1, 0},     {w - 2, 0},     {w - 1, 1},     {w - 3, 0},     {w - 1, 2},
                    {w - 3, h - 1}, {w - 2, h - 1}, {w - 1, h - 1}, {w - 1, h - 2}, {w - 1, h - 3},
                    {0, h - 3},     {0, h - 2},     {0, h - 1},     {1, h - 1},     {2, h - 1}});
        break;
    default:
        highlightBorder(c, border, light, dark); // styles 0 and 1 draw alike
        break;
    }
}

void pressedOverlay(const Canvas& c, int border, QRgb light, QRgb dark) {
    switch (border) {
    case 0:
        rightEdge(c, light, dark);
        break;
    case 2:
        edgeBoxes(c, dark, dark);
        break;
    case 3:
        c.box(0, 0, c.width - 1, c.height - 1, light);
        c.box(-1, -1, c.width - 1, c.height - 1, light);
        break;
    default:
        break; // style 1 and unknown styles press without an overlay
    }
}

qreal ratioOf(const LumoFaceState& state) {
    return state.devicePixelRatio > 0 ? state.devicePixelRatio : 1.0;
}

/// The logical size of a face, at least one pixel each way.
QSize logicalSize(const LumoFaceState& state) {
    return {std::max(state.width, 1), std::max(state.height, 1)};
}

} // namespace

namespace {

/// The resting face, where the caption goes and the colours of its gradient.
void drawRestingFace(LumoFaces& faces, const LumoFaceState& state) {
    const int w = logicalSize(state).width();
    const int h = logicalSize(state).height();
    const QFontMetrics metrics(state.font);
    faces.textX =
        static_cast<int>(std::nearbyint((w - metrics.horizontalAdvance(state.caption)) / 2.0));
    faces.textY = static_cast<int>(std::nearbyint((h - metrics.height()) / 2.0));

    // The gradient covers every pixel.
    QImage image = deviceImage(w, h, ratioOf(state));
    const Canvas canvas{image, w, h, ratioOf(state)};
    const auto [top, bottom] =
        gradient(canvas, state.renderColor & 0xFF, (state.renderColor >> 8) & 0xFF,
                 (state.renderColor >> 16) & 0xFF);
    faces.light = bgrOf(top);
    faces.dark = bgrOf(bottom);
    normalBorder(canvas, state.border, top, bottom);
    drawCaption(image, faces, state, qRgb(255, 255, 255));
    faces.resting = image;
}

/// The highlight face: its gradient starts 60 above the render colour, which is its light
/// colour.
QImage drawHighlightFace(const LumoFaceState& state) {
    const int w = logicalSize(state).width();
    const int h = logicalSize(state).height();
    const int red = (state.renderColor & 0xFF) + 60;
    const int green = ((state.renderColor >> 8) & 0xFF) + 60;
    const int blue = ((state.renderColor >> 16) & 0xFF) + 60;
    QImage image = deviceImage(w, h, ratioOf(state));
    const Canvas canvas{image, w, h, ratioOf(state)};
    const QRgb bottom = gradient(canvas, red, green, blue).second;
    highlightBorder(canvas, state.border, counterColor(red, green, blue), bottom);
    return image;
}

} // namespace

LumoFaces renderLumoFaces(const LumoFaceState& state) {
    LumoFaces faces;
    drawRestingFace(faces, state);
    faces.highlight = drawHighlightFace(state);
    return faces;
}

QImage lumoLook(const LumoFaces& faces, LumoLook look, const LumoFaceState& state) {
    if (look == LumoLook::Resting)
        return faces.resting;
    QImage image = faces.highlight.copy();
    if (look == LumoLook::Highlighted) {
        drawCaption(image, faces, state, qRgb(255, 255, 255));
    } else {
        const QSize size = logicalSize(state);
        pressedOverlay(Canvas{image, size.width(), size.height(), image.devicePixelRatio()},
                       state.border, rgbOf(faces.light), rgbOf(faces.dark));
        drawCaption(image, faces, state, rgbOf(faces.dark));
    }
    return image;
}

QImage LumoLooks::image(LumoLook look) const {
    QImage& slot = m_looks[static_cast<int>(look)];
    if (slot.isNull())
        slot = lumoLook(look == LumoLook::Resting ? m_faces : faces(), look, m_state);
    return slot;
}

const LumoFaces& LumoLooks::faces() const {
    if (m_faces.highlight.isNull())
        m_faces.highlight = drawHighlightFace(m_state);
    return m_faces;
}

LumoLooks::LumoLooks(const LumoFaceState& state) : m_state(state) {
    drawRestingFace(m_faces, state);
    m_shape = logicalOpaqueRegion(m_faces.resting);
}

namespace {

/// Everything a face is drawn from, as the cache tells looks apart.
struct LumoKey {
    int width;
    int height;
    int renderColor;
    int border;
    QString caption;
    QString font; // QFont::key(): family, size, weight, style and the rest
    qreal ratio;

    bool operator==(const LumoKey&) const = default;
};

size_t qHash(const LumoKey& k, size_t seed = 0) {
    return qHashMulti(seed, k.width, k.height, k.renderColor, k.border, k.caption, k.font, k.ratio);
}

} // namespace

std::shared_ptr<const LumoLooks> lumoLooks(const LumoFaceState& state) {
    struct Entry {
        std::shared_ptr<const LumoLooks> looks;
    };
    // Each button renders several times while it is set up, and many buttons share a look; a
    // few hundred looks cover a window and cost a few megabytes at most.
    static QCache<LumoKey, Entry> cache(LumoLookCacheSize);
    LumoKey key{state.width,   state.height,  state.renderColor & 0xFFFFFF,
                state.border,  state.caption, state.font.key(),
                ratioOf(state)};
    if (const Entry* found = cache.object(key))
        return found->looks;
    auto looks = std::make_shared<const LumoLooks>(state);
    cache.insert(std::move(key), new Entry{looks});
    return looks;
}

} // namespace padrix
