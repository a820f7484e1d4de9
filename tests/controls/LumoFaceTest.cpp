#include "controls/LumoFace.h"

#include "DevicePixels.h"
#include "controls/PixelDrawing.h"

#include <QFontMetrics>
#include <QRegion>

#include <cmath>

#include <gtest/gtest.h>

namespace padrix {
namespace {

LumoFaceState plain(int renderColor, int height, int border = -1) {
    LumoFaceState s;
    s.width = 154;
    s.height = height;
    s.renderColor = renderColor;
    s.border = border;
    return s;
}

QRgb grey(int v) {
    return qRgb(v, v, v);
}

QRgb at(const QImage& image, int x, int y) {
    return image.pixel(x, y) | 0xFF000000;
}

TEST(LumoFace, GradientsOfTheWorkedExample) {
    const LumoFaces faces = renderLumoFaces(plain(0xC0C0C0, 36));
    for (int y = 0; y < 36; ++y) {
        EXPECT_EQ(at(faces.highlight, 70, y), grey(250 - 2 * y)) << "highlight row " << y;
        EXPECT_EQ(at(faces.resting, 70, y), grey(190 - 2 * y)) << "resting row " << y;
    }
    EXPECT_EQ(faces.light, bgrOf(190, 190, 190));
    EXPECT_EQ(faces.dark, bgrOf(118, 118, 118));
    // The highlight frame of style 0 shows the highlight gradient's own light and dark.
    const LumoFaces framed = renderLumoFaces(plain(0xC0C0C0, 36, 0));
    EXPECT_EQ(at(framed.highlight, 153, 10), grey(252));
    EXPECT_EQ(at(framed.highlight, 152, 10), grey(178));
    EXPECT_EQ(at(framed.resting, 153, 10), grey(190));
    EXPECT_EQ(at(framed.resting, 152, 10), grey(118));
    // Components fall independently: red stays at 255 longer than blue.
    const LumoFaces coloured = renderLumoFaces(plain(bgrOf(250, 100, 0), 36));
    EXPECT_EQ(at(coloured.highlight, 5, 0), qRgb(255, 158, 58));
    EXPECT_EQ(at(coloured.highlight, 5, 30), qRgb(248, 98, 0));
}

TEST(LumoFace, BlackAndTallFacesRunOutToBlack) {
    const LumoFaces black = renderLumoFaces(plain(0, 36));
    for (int y = 0; y < 36; ++y)
        EXPECT_EQ(at(black.resting, 20, y), grey(0)) << y;
    EXPECT_EQ(at(black.highlight, 20, 0), grey(58));
    EXPECT_EQ(at(black.highlight, 20, 28), grey(2));
    EXPECT_EQ(at(black.highlight, 20, 29), grey(0));

    const LumoFaces tall = renderLumoFaces(plain(0xFFFFFF, 200));
    EXPECT_EQ(at(tall.resting, 20, 126), grey(1));
    EXPECT_EQ(at(tall.resting, 20, 127), grey(0));
    EXPECT_EQ(at(tall.resting, 20, 199), grey(0));
    EXPECT_EQ(at(tall.highlight, 20, 0), grey(255));
    EXPECT_EQ(at(tall.highlight, 20, 156), grey(1));
    EXPECT_EQ(at(tall.highlight, 20, 157), grey(0));
}

TEST(LumoFace, FrameStylesAndSeeThroughCorners) {
    const int w = 154;
    const int h = 36;
    const LumoFaces rounded = renderLumoFaces(plain(0xC0C0C0, h, 3));
    const QRgb mask = rgbOf(MaskColor) | 0xFF000000;
    const QPoint corners[] = {{1, 0},         {0, 0},         {0, 1},         {2, 0},
                              {0, 2},         {w - 1, 0},     {w - 2, 0},     {w - 1, 1},
                              {w - 3, 0},     {w - 1, 2},     {w - 3, h - 1}, {w - 2, h - 1},
                              {w - 1, h - 1}, {w - 1, h - 2}, {w - 1, h - 3}, {0, h - 3},
                              {0, h - 2},     {0, h - 1},     {1, h - 1},     {2, h - 1}};
    for (const QPoint p : corners)
        EXPECT_EQ(at(rounded.resting, p.x(), p.y()), mask) << p.x() << "," << p.y();
    const QRegion shape = opaqueRegion(rounded.resting);
    int seeThrough = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            seeThrough += shape.contains(QPoint(x, y)) ? 0 : 1;
    EXPECT_EQ(seeThrough, 20);
    EXPECT_EQ(at(rounded.highlight, 2, 0), grey(250)); // the highlight face masks only three
    EXPECT_EQ(at(rounded.highlight, 1, 0), mask);

    // Style 1: two boxes, light outside, dark inside.
    const LumoFaces boxed = renderLumoFaces(plain(0xC0C0C0, h, 1));
    EXPECT_EQ(at(boxed.resting, 1, 10), grey(190));
    EXPECT_EQ(at(boxed.resting, 2, 10), grey(118));
    EXPECT_EQ(at(boxed.resting, 0, 10), grey(190 - 20));
    // Style 2: the outer box at -1 shows only its right and bottom sides.
    const LumoFaces sunk = renderLumoFaces(plain(0xC0C0C0, h, 2));
    EXPECT_EQ(at(sunk.resting, w - 1, 10), grey(190));
    EXPECT_EQ(at(sunk.resting, 0, 10), grey(118));
    EXPECT_EQ(at(sunk.highlight, w - 1, 10), grey(255));

    // Styles outside 0..3 draw no frame and no pressed overlay.
    for (int style : {4, -1}) {
        LumoFaceState s = plain(0xC0C0C0, h, style);
        const LumoFaces f = renderLumoFaces(s);
        EXPECT_EQ(at(f.resting, w - 1, 10), grey(190 - 20)) << style;
        EXPECT_EQ(lumoLook(f, LumoLook::Pressed, s), f.highlight) << style;
        EXPECT_EQ(opaqueRegion(f.resting), QRegion(0, 0, w, h));
    }
    // Style 3 pressed: light boxes at the edges.
    LumoFaceState s3 = plain(0xC0C0C0, h, 3);
    const QImage pressed = lumoLook(rounded, LumoLook::Pressed, s3);
    EXPECT_EQ(at(pressed, 0, 10), grey(190));
    EXPECT_EQ(at(pressed, w - 1, 10), grey(190));
}

TEST(LumoFace, CaptionIsCentredAndColouredByLook) {
    LumoFaceState s = plain(0x808080, 36, 0);
    s.font = QFont(QStringLiteral("Arial"));
    s.font.setBold(true);
    s.font.setPointSizeF(12);
    s.caption = QStringLiteral("MR");
    const LumoFaces faces = renderLumoFaces(s);
    const QFontMetrics m(s.font);
    EXPECT_EQ(faces.textX,
              static_cast<int>(std::nearbyint((154 - m.horizontalAdvance("MR")) / 2.0)));
    EXPECT_EQ(faces.textY, static_cast<int>(std::nearbyint((36 - m.height()) / 2.0)));

    auto count = [&](const QImage& image, QRgb colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                n += at(image, x, y) == (colour | 0xFF000000) ? 1 : 0;
        return n;
    };
    EXPECT_GT(count(faces.resting, qRgb(255, 255, 255)), 10);
    EXPECT_EQ(count(faces.highlight, qRgb(255, 255, 255)), 0);
    EXPECT_GT(count(lumoLook(faces, LumoLook::Highlighted, s), qRgb(255, 255, 255)), 10);
    const QImage pressed = lumoLook(faces, LumoLook::Pressed, s);
    EXPECT_EQ(count(pressed, qRgb(255, 255, 255)), 0);
    EXPECT_GT(count(pressed, rgbOf(faces.dark)), 36 + 10); // the overlay column and the caption

    s.caption = QStringLiteral("A caption far wider than the button");
    EXPECT_LT(renderLumoFaces(s).textX, 0);
}

TEST(LumoFace, RatioTwoIsDrawnAtDeviceResolution) {
    for (int border : {0, 3}) {
        SCOPED_TRACE(border);
        LumoFaceState s = plain(0xC0C0C0, 36, border);
        s.font = QFont(QStringLiteral("Arial"));
        s.font.setBold(true);
        s.font.setPointSizeF(12);
        s.caption = QStringLiteral("MR");
        LumoFaceState fine = s;
        fine.devicePixelRatio = 2;
        const LumoFaces faces = renderLumoFaces(s);
        const LumoFaces sharp = renderLumoFaces(fine);
        ASSERT_EQ(sharp.resting.size(), QSize(308, 72));
        EXPECT_EQ(sharp.resting.devicePixelRatio(), 2.0);
        EXPECT_EQ(sharp.resting.deviceIndependentSize(), QSizeF(154, 36));
        EXPECT_EQ(sharp.light, faces.light);
        EXPECT_EQ(sharp.dark, faces.dark);

        // Enlarging the ratio-1 face makes every pair of device columns alike; the caption's
        // edges at ratio 2 split pairs.
        const QImage enlarged =
            faces.resting.scaled(308, 72, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        EXPECT_EQ(test::splitColumnPairs(enlarged), 0);
        EXPECT_GT(test::splitColumnPairs(sharp.resting), 20);
        EXPECT_NE(sharp.resting, enlarged);

        // The gradient falls by 1 a device row: half the logical step.
        EXPECT_EQ(at(sharp.resting, 20, 0), grey(191));
        EXPECT_EQ(at(sharp.resting, 20, 1), grey(190));
        EXPECT_EQ(at(sharp.resting, 20, 2), grey(189));
        EXPECT_EQ(at(sharp.resting, 20, 71), grey(120));
        EXPECT_EQ(at(sharp.highlight, 20, 0), grey(251));
    }
    // The frame's lines are a logical pixel wide: two device columns each.
    LumoFaceState framed = plain(0xC0C0C0, 36, 0);
    framed.devicePixelRatio = 2;
    const LumoFaces right = renderLumoFaces(framed);
    EXPECT_EQ(at(right.resting, 303, 10), grey(192 - 11));
    EXPECT_EQ(at(right.resting, 304, 10), grey(118));
    EXPECT_EQ(at(right.resting, 305, 10), grey(118));
    EXPECT_EQ(at(right.resting, 306, 10), grey(190));
    EXPECT_EQ(at(right.resting, 307, 10), grey(190));

    // Rounded corners cover the device pixels of their logical ones, and the shape stays the
    // ratio-1 shape.
    LumoFaceState rounded = plain(0xC0C0C0, 36, 3);
    const QRgb mask = rgbOf(MaskColor) | 0xFF000000;
    const LumoLooks plainLooks(rounded);
    rounded.devicePixelRatio = 2;
    const LumoLooks fineLooks(rounded);
    const QImage& corner = fineLooks.faces().resting;
    EXPECT_EQ(at(corner, 5, 0), mask);
    EXPECT_EQ(at(corner, 5, 1), mask);
    EXPECT_EQ(at(corner, 6, 0), grey(191));
    EXPECT_EQ(at(corner, 1, 5), mask);
    EXPECT_EQ(at(corner, 2, 2), grey(189));
    EXPECT_EQ(at(corner, 307, 71), mask);
    EXPECT_EQ(fineLooks.shape(), plainLooks.shape());
    EXPECT_GT(fineLooks.shape().rectCount(), 1);
    // Pressed, style 3 lights the outer logical pixel: two device pixels.
    const QImage pressed = fineLooks.image(LumoLook::Pressed);
    EXPECT_EQ(at(pressed, 0, 20), grey(190));
    EXPECT_EQ(at(pressed, 1, 20), grey(190));
    EXPECT_NE(at(pressed, 2, 20), grey(190));
}

TEST(LumoFace, LooksAreDrawnOncePerStateAndShared) {
    LumoFaceState s = plain(0x808080, 36, 3);
    s.caption = QStringLiteral("7");
    const auto first = lumoLooks(s);
    EXPECT_EQ(lumoLooks(s), first);
    EXPECT_EQ(first->image(LumoLook::Pressed).cacheKey(),
              lumoLooks(s)->image(LumoLook::Pressed).cacheKey());
    EXPECT_EQ(first->faces().resting, renderLumoFaces(s).resting);
    EXPECT_EQ(first->image(LumoLook::Highlighted),
              lumoLook(renderLumoFaces(s), LumoLook::Highlighted, s));

    // Any part of the state makes another look; the unused colour bits do not.
    const struct {
        const char* name;
        void (*change)(LumoFaceState&);
        bool same;
    } rows[] = {
        {"width", [](LumoFaceState& t) { t.width = 60; }, false},
        {"height", [](LumoFaceState& t) { t.height = 30; }, false},
        {"colour", [](LumoFaceState& t) { t.renderColor = 0x808081; }, false},
        {"high colour bits", [](LumoFaceState& t) { t.renderColor = 0x7F808080; }, true},
        {"border", [](LumoFaceState& t) { t.border = 2; }, false},
        {"caption", [](LumoFaceState& t) { t.caption = QStringLiteral("8"); }, false},
        {"font size", [](LumoFaceState& t) { t.font.setPointSizeF(14); }, false},
        {"bold", [](LumoFaceState& t) { t.font.setBold(true); }, false},
        {"ratio", [](LumoFaceState& t) { t.devicePixelRatio = 2; }, false},
    };
    for (const auto& row : rows) {
        LumoFaceState t = s;
        row.change(t);
        EXPECT_EQ(lumoLooks(t) == first, row.same) << row.name;
    }

    // The cache is bounded: once more states than it keeps were drawn, the first is drawn anew.
    for (int i = 0; i < LumoLookCacheSize + 1; ++i) {
        LumoFaceState t = s;
        t.width = 1000 + i; // none of them the state above
        lumoLooks(t);
    }
    EXPECT_NE(lumoLooks(s), first);
    EXPECT_EQ(lumoLooks(s)->faces().resting, first->faces().resting);
}

} // namespace
} // namespace padrix
