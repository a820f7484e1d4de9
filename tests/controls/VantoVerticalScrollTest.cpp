#include "controls/VantoVerticalScroll.h"

#include "DevicePixels.h"
#include "controls/PixelDrawing.h"
#include "controls/ScrollGeometry.h"
#include "controls/ScrollPainting.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

namespace padrix {
namespace {

/// Notes when an event posted to it is delivered: the mark of other events running.
struct QueuedMark : QObject {
    QStringList& log;
    explicit QueuedMark(QStringList& l) : log(l) {}
    bool event(QEvent* event) override {
        if (event->type() != QEvent::User)
            return QObject::event(event);
        log << "queued";
        return true;
    }
};

void sendMove(VantoVerticalScroll& bar, double y, Qt::MouseButtons buttons) {
    const QPointF at(15, y);
    QMouseEvent move(QEvent::MouseMove, at, bar.mapToGlobal(at), Qt::NoButton, buttons,
                     Qt::NoModifier);
    QApplication::sendEvent(&bar, &move);
}

TEST(ScrollGeometry, ThumbFollowsTheValueBetweenTheArrows) {
    // H = 240, thumb 20, range 0..100. The bar's own tests place the thumb for a value and a
    // drag in the middle; here the ends.
    EXPECT_EQ(scroll::clampThumbTop(500, 240, 20), 198);
    EXPECT_FALSE(scroll::thumbTopFor(5, 7, 7, 240, 20).has_value());
    EXPECT_EQ(scroll::dragTo(5, 240, 20, 0, 100).thumbTop, 22);
    EXPECT_EQ(scroll::dragTo(5, 240, 20, 0, 100).value, 0);
    EXPECT_EQ(scroll::dragTo(239, 240, 20, 0, 100).thumbTop, 198);
    EXPECT_EQ(scroll::dragTo(239, 240, 20, 0, 100).value, 100);

    EXPECT_EQ(scroll::thumbHeightFor(240), 20);
    EXPECT_EQ(scroll::thumbHeightFor(60), 20);
    EXPECT_EQ(scroll::thumbHeightFor(50), 6);
    EXPECT_EQ(scroll::thumbHeightFor(30), 0);
}

TEST(ScrollGeometry, AutoRepeatSteps) {
    const scroll::Range r{10, 0, 100, 5, 1};
    // Dead zone around the thumb (top 60): from 57 to 86.
    EXPECT_TRUE(scroll::repeatStep(57, 60, 20, 240, r).idle);
    EXPECT_TRUE(scroll::repeatStep(86, 60, 20, 240, r).idle);
    EXPECT_EQ(scroll::repeatStep(5, 60, 20, 240, r).value, 9);    // top arrow
    EXPECT_EQ(scroll::repeatStep(230, 60, 20, 240, r).value, 11); // bottom arrow
    EXPECT_EQ(scroll::repeatStep(230, 60, 20, 240, r).offset, 22);
    const scroll::RepeatStep page = scroll::repeatStep(150, 60, 20, 240, r);
    EXPECT_EQ(page.value, 15);
    EXPECT_TRUE(page.pagedDown);
    EXPECT_EQ(scroll::repeatStep(25, 60, 20, 240, r).value, 5); // page up
    // Close above the thumb: a proportional step, nearest(10 - 20 / 240 * 100) = 2.
    EXPECT_EQ(scroll::repeatStep(40, 60, 20, 240, r).value, 2);
    // Exactly on the arrows' edges nothing matches.
    EXPECT_EQ(scroll::repeatStep(22, 60, 20, 240, r).value, 10);
    EXPECT_EQ(scroll::repeatStep(218, 60, 20, 240, r).value, 10);
    // Clamped to the range.
    EXPECT_EQ(scroll::repeatStep(150, 60, 20, 240, {98, 0, 100, 5, 1}).value, 100);
    EXPECT_EQ(scroll::repeatStep(5, 60, 20, 240, {0, 0, 100, 5, 1}).value, 0);
}

TEST(VantoVerticalScroll, ValueSetterMovesTheThumbAndAlwaysRaisesChange) {
    VantoVerticalScroll bar;
    QSignalSpy change(&bar, &VantoVerticalScroll::Change);
    bar.setValue(50);
    EXPECT_EQ(bar.thumbTop(), 98);
    bar.setValue(50);
    EXPECT_EQ(change.count(), 2);
    bar.setValue(100);
    EXPECT_EQ(bar.thumbTop(), 197);
    bar.setValue(1000);
    EXPECT_EQ(bar.Value(), 100);
    bar.setValue(-5);
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(bar.thumbTop(), 22);
    EXPECT_EQ(change.count(), 5);

    // The thumb is drawn at its top; rows above it show the track.
    const QImage surface = bar.surface();
    const QImage thumb = scroll::repaint(scroll::background(30, 240, 0xE0E0E0), true, 22, 20, false,
                                         qRgb(255, 255, 255));
    EXPECT_EQ(surface, thumb);
    EXPECT_NE(surface.pixel(15, 30), scroll::background(30, 240, 0xE0E0E0).pixel(15, 30));

    // No range to show: no thumb, and the value clamps without failing.
    bar.setValueMax(0);
    EXPECT_EQ(bar.surface(), scroll::background(30, 240, 0xE0E0E0));
    bar.setValue(7);
    EXPECT_EQ(bar.Value(), 0);
    bar.setValueMax(50);
    bar.setValueMin(50);
    bar.setValue(3);
    EXPECT_EQ(bar.Value(), 50);
    bar.setValueMin(80); // crossing limits: the minimum wins
    bar.setValue(60);
    EXPECT_EQ(bar.Value(), 80);
}

TEST(VantoVerticalScroll, DraggingTheThumb) {
    VantoVerticalScroll bar;
    bar.show();
    QSignalSpy change(&bar, &VantoVerticalScroll::Change);
    bar.setValue(0); // thumb at 22..42
    change.clear();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(15, 30));
    EXPECT_TRUE(bar.dragging());
    EXPECT_FALSE(bar.repeatTimer()->isActive());
    QMouseEvent move(QEvent::MouseMove, QPointF(15, 126), bar.mapToGlobal(QPointF(15, 126)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &move);
    EXPECT_EQ(bar.thumbTop(), 113);
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(change.count(), 1);
    // The same position again is no step.
    QApplication::sendEvent(&bar, &move);
    EXPECT_EQ(change.count(), 1);

    // The release raises Change and draws the black track frame; dragging ends only with
    // the next move without a button.
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, 126));
    EXPECT_EQ(change.count(), 2);
    EXPECT_EQ(bar.surface().pixel(1, 60) | 0xFF000000, qRgb(0, 0, 0));
    EXPECT_TRUE(bar.dragging());
    QTest::mouseMove(&bar, QPoint(15, 200));
    EXPECT_FALSE(bar.dragging());
}

TEST(VantoVerticalScroll, HoldingOnArrowsAndTrackRepeats) {
    VantoVerticalScroll bar;
    bar.show();
    QSignalSpy change(&bar, &VantoVerticalScroll::Change);

    // The bottom arrow: nothing at the press, a small step per tick.
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(15, 235));
    EXPECT_TRUE(bar.repeatTimer()->isActive());
    EXPECT_EQ(bar.repeatTimer()->interval(), 100);
    EXPECT_EQ(change.count(), 0);
    bar.Timer1_Timer();
    bar.Timer1_Timer();
    EXPECT_EQ(bar.Value(), 2);
    EXPECT_EQ(change.count(), 2);
    EXPECT_EQ(bar.surface().pixel(1, 60) | 0xFF000000, qRgb(0, 0, 0)); // frame after each step
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, 235));
    EXPECT_FALSE(bar.repeatTimer()->isActive());

    // The top arrow at the minimum: no movement, still a Change per tick.
    bar.setValue(0);
    change.clear();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(15, 5));
    bar.Timer1_Timer();
    bar.Timer1_Timer();
    EXPECT_EQ(bar.Value(), 0);
    EXPECT_EQ(change.count(), 2);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, 5));

    // Paging down ends in the dead zone around the thumb, or stops the timer once a page
    // carries the thumb past the click.
    bar.setValue(0);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(15, 120));
    for (int tick = 0; tick < 50; ++tick)
        bar.Timer1_Timer();
    EXPECT_LE(bar.thumbTop() - 3, 120);
    EXPECT_GE(bar.thumbTop() + 26, 120);
    const int settled = bar.Value();
    bar.Timer1_Timer();
    EXPECT_EQ(bar.Value(), settled);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, 120));
    bar.setValueLargeChange(50);
    bar.setValue(0);
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(15, 60));
    bar.Timer1_Timer();
    EXPECT_EQ(bar.Value(), 50);
    EXPECT_EQ(bar.thumbTop(), 120); // nearest(0.5 * 197 + 22)
    EXPECT_FALSE(bar.repeatTimer()->isActive());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, 60));

    // A press on the thumb's first row repeats, but the click lies in the dead zone.
    bar.setValue(50);
    const int top = bar.thumbTop();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(15, top));
    EXPECT_FALSE(bar.dragging());
    change.clear();
    bar.Timer1_Timer();
    EXPECT_EQ(change.count(), 0);
    EXPECT_EQ(bar.Value(), 50);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, top));

    // No range: presses do nothing, a release still raises Change.
    bar.setValueMax(0);
    change.clear();
    QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(15, 235));
    EXPECT_FALSE(bar.repeatTimer()->isActive());
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, 235));
    EXPECT_EQ(change.count(), 1);
}

TEST(VantoVerticalScroll, EachStepIsDoneBeforeOtherEventsRun) {
    // An event waiting in the queue runs after the bar's handler, never in its middle: the
    // handler's Change values come first, each step raises its own.
    struct Row {
        const char* name;
        std::function<void(VantoVerticalScroll&)> before;
        std::function<void(VantoVerticalScroll&)> act;
        QStringList changes; // the values the action raises Change with
    };
    const auto pressAt = [](int value, int y) {
        return [value, y](VantoVerticalScroll& bar) {
            bar.setValue(value);
            QTest::mousePress(&bar, Qt::LeftButton, {}, QPoint(15, y));
        };
    };
    const auto nothing = [](VantoVerticalScroll&) {};
    const Row rows[] = {
        {"a drag across the bar",
         pressAt(0, 30),
         [](VantoVerticalScroll& bar) {
             for (double y : {60.0, 126.0, 126.0, 200.0, 239.0})
                 sendMove(bar, y, Qt::LeftButton);
         },
         {"18", "50", "86", "100"}},
        {"ticks on the bottom arrow",
         pressAt(10, 235),
         [](VantoVerticalScroll& bar) {
             bar.Timer1_Timer();
             bar.Timer1_Timer();
         },
         {"11", "12"}},
        {"a tick paging up",
         pressAt(50, 30),
         [](VantoVerticalScroll& bar) { bar.Timer1_Timer(); },
         {"45"}},
        {"the release",
         pressAt(7, 235),
         [](VantoVerticalScroll& bar) {
             QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, 235));
         },
         {"7"}},
        {"a move without a button",
         nothing,
         [](VantoVerticalScroll& bar) { sendMove(bar, 100, Qt::NoButton); },
         {}},
        {"a resize", nothing, [](VantoVerticalScroll& bar) { bar.resize(30, 200); }, {}},
        {"a new back colour",
         nothing,
         [](VantoVerticalScroll& bar) { bar.setBackColor(0x00FF00); },
         {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        VantoVerticalScroll bar;
        bar.show();
        row.before(bar);
        QStringList log;
        QObject::connect(&bar, &VantoVerticalScroll::Change,
                         [&] { log << QString::number(bar.Value()); });
        QueuedMark mark(log);
        QCoreApplication::postEvent(&mark, new QEvent(QEvent::User));
        row.act(bar);
        EXPECT_EQ(log.join(' ').toStdString(), row.changes.join(' ').toStdString());
        QCoreApplication::sendPostedEvents(&mark, QEvent::User);
        EXPECT_EQ(log.join(' ').toStdString(),
                  (row.changes + QStringList{"queued"}).join(' ').toStdString());
        QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(15, 235));
    }
}

TEST(VantoVerticalScroll, BackgroundShadesTrackAndShape) {
    const QImage bg = scroll::background(30, 240, 0xE0E0E0);
    const QRgb base = qRgb(224, 224, 224);
    const QRgb s70 = qRgb(157, 157, 157); // nearest(224 * 0.7) = 156.8
    const QRgb s55 = qRgb(123, 123, 123); // nearest(123.2)
    const QRgb s80 = qRgb(179, 179, 179); // nearest(179.2)
    EXPECT_EQ(bg.pixel(4, 30) | 0xFF000000, s70);
    EXPECT_EQ(bg.pixel(5, 31) | 0xFF000000, s70);
    EXPECT_EQ(bg.pixel(5, 30) | 0xFF000000, base);
    EXPECT_EQ(bg.pixel(0, 100) | 0xFF000000, s55);
    EXPECT_EQ(bg.pixel(1, 100) | 0xFF000000, s80);
    // The arrows' rounded corners are see-through, at the top and, mirrored, at the bottom.
    const QRegion shape = opaqueRegion(bg);
    EXPECT_FALSE(shape.contains(QPoint(0, 0)));
    EXPECT_FALSE(shape.contains(QPoint(29, 0)));
    EXPECT_FALSE(shape.contains(QPoint(0, 239)));
    EXPECT_TRUE(shape.contains(QPoint(15, 100)));

    // Short bars draw without failing.
    for (int h : {59, 50, 30, 10, 1}) {
        VantoVerticalScroll bar;
        bar.resize(30, h);
        bar.show();
        bar.setValue(50);
        EXPECT_EQ(bar.surface().height(), h);
    }
}

TEST(VantoVerticalScroll, RatioTwoDrawsTheArrowsAtDeviceResolution) {
    const QRgb white = qRgb(255, 255, 255);
    auto at = [](const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000; };
    const QImage arrow = scroll::arrowImage(2);
    ASSERT_EQ(arrow.size(), QSize(60, 44));
    EXPECT_EQ(arrow.devicePixelRatio(), 2.0);
    // The triangle's tip is one logical pixel at (15, 7); at ratio 2 its rows widen a device
    // pixel to each side, where the enlarged tip would be a 2 x 2 block.
    EXPECT_EQ(at(arrow, 31, 14), white);
    EXPECT_NE(at(arrow, 30, 14), white);
    EXPECT_EQ(at(arrow, 30, 15), white);
    EXPECT_EQ(at(arrow, 32, 15), white);
    EXPECT_NE(at(arrow, 33, 15), white);
    EXPECT_EQ(at(arrow, 5, 0), rgbOf(MaskColor) | 0xFF000000); // corner (2, 0)
    EXPECT_NE(at(arrow, 6, 0), rgbOf(MaskColor) | 0xFF000000);

    const QImage plain = scroll::background(30, 240, 0xE0E0E0);
    const QImage fine = scroll::background(30, 240, 0xE0E0E0, 2);
    ASSERT_EQ(fine.size(), QSize(60, 480));
    EXPECT_EQ(fine.deviceIndependentSize(), QSizeF(30, 240));
    const QImage enlarged = plain.scaled(60, 480, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    EXPECT_EQ(test::splitColumnPairs(enlarged), 0);
    EXPECT_GT(test::splitColumnPairs(fine), 10);
    // The frame and the track are the ratio-1 pixels, each two by two.
    for (const QPoint p : {QPoint(0, 100), QPoint(1, 100), QPoint(4, 30), QPoint(5, 31)}) {
        EXPECT_EQ(at(fine, 2 * p.x(), 2 * p.y()), at(plain, p.x(), p.y())) << p.x() << "," << p.y();
        EXPECT_EQ(at(fine, 2 * p.x() + 1, 2 * p.y() + 1), at(plain, p.x(), p.y()));
    }
    // A repaint keeps the ratio and puts the thumb at its logical place.
    const QImage painted = scroll::repaint(fine, true, 22, 20, true, qRgb(0, 0, 0));
    EXPECT_EQ(painted.devicePixelRatio(), 2.0);
    EXPECT_EQ(at(painted, 2, 40), qRgb(0, 0, 0)); // the track frame at (1, 20)
    EXPECT_EQ(at(painted, 3, 41), qRgb(0, 0, 0));
    EXPECT_EQ(at(painted, 20, 44), qRgb(214, 236, 236)); // the dragged thumb's light top row
}

TEST(VantoVerticalScroll, SavedPropertiesAndKeys) {
    VantoVerticalScroll bar;
    QSignalSpy changed(&bar, &VantoVerticalScroll::PropertyChanged);
    bar.setValueMax(500);
    bar.setValue(20);
    bar.setValueLargeChange(17);
    QStringList names;
    for (const auto& args : changed)
        names << args.at(0).toString();
    EXPECT_EQ(names, QStringList({"ValueMax", "Value", "ValueLargeChange"}));
    PropertyBag bag;
    bar.WriteProperties(bag);
    EXPECT_EQ(bag.names(), QStringList({"BackColor", "ValueMax", "Value", "ValueLargeChange"}));

    // Loading stores the value as read: no clamp, no Change.
    PropertyBag loaded;
    loaded.WriteProperty("ValueMax", 10, 100);
    loaded.WriteProperty("Value", 40, 0);
    VantoVerticalScroll other;
    QSignalSpy change(&other, &VantoVerticalScroll::Change);
    other.ReadProperties(loaded);
    EXPECT_EQ(other.Value(), 40);
    EXPECT_EQ(other.ValueMax(), 10);
    EXPECT_EQ(other.BackColor(), 0xFFFFFF);
    EXPECT_EQ(change.count(), 0);

    QStringList keys;
    QObject::connect(&bar, &VantoVerticalScroll::KeyDown,
                     [&](short& k, short& s) { keys << QString("down %1 %2").arg(k).arg(s); });
    QObject::connect(&bar, &VantoVerticalScroll::KeyUp,
                     [&](short& k, short&) { keys << QString("up %1").arg(k); });
    QTest::keyClick(&bar, Qt::Key_PageDown, Qt::ShiftModifier);
    EXPECT_EQ(keys, QStringList({"down 16 1", "down 34 1", "up 34", "up 16"}));
}

} // namespace
} // namespace padrix
