#include "controls/LumoButton.h"

#include <QApplication>
#include <QCursor>
#include <QEnterEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace padrix {
namespace {

/// Records the button's events in order, as a container's handlers would see them.
struct EventLog {
    QStringList events;
    explicit EventLog(LumoButton& b) {
        QObject::connect(&b, &LumoButton::Click, [this] { events << "Click"; });
        QObject::connect(&b, &LumoButton::DblClick, [this] { events << "DblClick"; });
        QObject::connect(&b, &LumoButton::KeyDown, [this](short& k, short& s) {
            events << QString("KeyDown %1 %2").arg(k).arg(s);
        });
        QObject::connect(&b, &LumoButton::KeyPress,
                         [this](short& a) { events << QString("KeyPress %1").arg(a); });
        QObject::connect(&b, &LumoButton::KeyUp, [this](short& k, short& s) {
            events << QString("KeyUp %1 %2").arg(k).arg(s);
        });
        QObject::connect(&b, &LumoButton::MouseDown,
                         [this](short& btn, short&, float& x, float& y) {
                             events << QString("MouseDown %1 %2 %3").arg(btn).arg(x).arg(y);
                         });
        QObject::connect(&b, &LumoButton::MouseUp, [this](short& btn, short&, float& x, float& y) {
            events << QString("MouseUp %1 %2 %3").arg(btn).arg(x).arg(y);
        });
    }
};

TEST(LumoButton, PropertiesNotifyByTheirSavedNames) {
    LumoButton b;
    EXPECT_EQ(b.FontSize(), 10); // 9.75 points, rounded

    QSignalSpy changed(&b, &LumoButton::PropertyChanged);
    b.setCaption("7");
    b.setBackColor(0x123456);
    b.setBorder(3);
    b.setRenderColor(0xC0C0C0);
    b.setEnabled(false);
    b.setFontSize(12);
    QStringList names;
    for (const auto& args : changed)
        names << args.at(0).toString();
    EXPECT_EQ(names, QStringList(
                         {"Caption", "BackColor", "Border", "RenderColor", "Enabled", "Fontsize"}));
    // The Qt properties carry the same names.
    EXPECT_EQ(b.property("Caption").toString(), "7");
    EXPECT_EQ(b.property("Border").toInt(), 3);
    EXPECT_TRUE(b.setProperty("RenderColor", 0x3A35C7));
    EXPECT_EQ(b.RenderColor(), 0x3A35C7);

    // A border beyond 16 bits is refused.
    b.setBorder(40000);
    EXPECT_EQ(b.Border(), 3);
    // Bits above the colour are ignored when rendering.
    LumoButton high;
    high.setRenderColor(1111111111); // 0x423A35C7
    LumoButton low;
    low.setRenderColor(0x3A35C7);
    EXPECT_EQ(high.faces().resting, low.faces().resting);
    EXPECT_EQ(high.RenderColor(), 1111111111);
}

TEST(LumoButton, SavedPropertiesInOrderWithoutDefaults) {
    LumoButton b;
    b.setCaption("Sin");
    b.setRenderColor(99);
    b.setBorder(3);
    b.setFontSize(12);
    PropertyBag bag;
    b.WriteProperties(bag);
    EXPECT_EQ(bag.names(),
              QStringList({"Caption", "BackColor", "RenderColor", "Fontsize", "Border"}));
    EXPECT_EQ(bag.ReadProperty("BackColor", 0).toInt(), 0xE0E0E0);

    LumoButton copy;
    copy.ReadProperties(bag);
    EXPECT_EQ(copy.Caption(), "Sin");
    EXPECT_EQ(copy.RenderColor(), 99);
    EXPECT_EQ(copy.Border(), 3);
    EXPECT_EQ(copy.FontSize(), 12);
    b.ButtonRender(); // the font size shows from the next render
    EXPECT_EQ(copy.faces().resting, b.faces().resting);
    PropertyBag again;
    copy.WriteProperties(again);
    EXPECT_EQ(again, bag);

    // Sizes in between round half to even; an empty bag gives the defaults.
    PropertyBag sizes;
    sizes.WriteProperty("Fontsize", 10.5F, 9.0F);
    copy.ReadProperties(sizes);
    EXPECT_EQ(copy.FontSize(), 10);
    sizes.WriteProperty("Fontsize", 11.5F, 9.0F);
    copy.ReadProperties(sizes);
    EXPECT_EQ(copy.FontSize(), 12);
    EXPECT_EQ(copy.RenderColor(), 0xC0C0C0);
    EXPECT_EQ(copy.Caption(), "");
}

TEST(LumoButton, MouseClickOrderAndLooks) {
    LumoButton b;
    b.setCaption("5");
    b.show();
    EventLog log(b);
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(b.look(), LumoLook::Pressed);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(b.look(), LumoLook::Highlighted);
    EXPECT_EQ(log.events, QStringList({"MouseDown 1 10 10", "MouseUp 1 10 10", "Click"}));

    // A release on column 0 raises no MouseUp and keeps the pressed look; the click counts.
    log.events.clear();
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(0, 10));
    EXPECT_EQ(log.events, QStringList({"MouseDown 1 10 10", "Click"}));
    EXPECT_EQ(b.look(), LumoLook::Pressed);

    // Released outside: neither MouseUp nor Click.
    log.events.clear();
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(200, 10));
    EXPECT_EQ(log.events, QStringList({"MouseDown 1 10 10"}));

    // A double click as the system delivers it: press, release, press, double click,
    // release. The second release raises no second Click.
    log.events.clear();
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mousePress(&b, Qt::LeftButton, {}, QPoint(10, 10));
    QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(10, 10), b.mapToGlobal(QPointF(10, 10)),
                    Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&b, &dbl);
    QTest::mouseRelease(&b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(log.events, QStringList({"MouseDown 1 10 10", "MouseUp 1 10 10", "Click",
                                       "MouseDown 1 10 10", "DblClick", "MouseUp 1 10 10"}));

    // Disabled: no events at all.
    b.setEnabled(false);
    log.events.clear();
    QTest::mouseClick(&b, Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_TRUE(log.events.isEmpty());
}

TEST(LumoButton, CharacterKeysActAsClicks) {
    LumoButton b;
    b.show();
    b.setFocus();
    EventLog log(b);
    QTest::keyClick(&b, Qt::Key_5);
    QTest::keyClick(&b, Qt::Key_Return);
    QTest::keyClick(&b, Qt::Key_Up);
    EXPECT_EQ(log.events,
              QStringList({"KeyDown 53 0", "KeyPress 53", "Click", "KeyUp 53 0", "KeyDown 13 0",
                           "KeyPress 13", "Click", "KeyUp 13 0", "KeyDown 38 0", "KeyUp 38 0"}));
}

/// Whether a timer of the object runs.
bool anyTimerRuns(const QObject& object) {
    for (const QTimer* timer : object.findChildren<QTimer*>()) {
        if (timer->isActive())
            return true;
    }
    return false;
}

void sendEnter(QWidget& widget, QPoint at) {
    QEnterEvent enter(at, widget.mapTo(widget.window(), at), widget.mapToGlobal(at));
    QApplication::sendEvent(&widget, &enter);
}

void sendLeave(QWidget& widget) {
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&widget, &leave);
}

TEST(LumoButton, HoverFollowsEnterAndLeave) {
    QWidget window;
    window.resize(400, 200);
    LumoButton* b = new LumoButton(&window);
    b->move(20, 20);
    QLineEdit* other = new QLineEdit(&window);
    other->move(200, 150);
    // The pointer may be where an earlier test left it; the window shows away from it.
    QCursor::setPos(window.screen()->geometry().bottomRight());
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));

    // Focus lights the face; losing it rests it.
    other->setFocus();
    b->setFocus();
    EXPECT_EQ(b->look(), LumoLook::Highlighted);
    const QImage lit = b->surface();
    EXPECT_NE(lit, b->faces().resting);
    other->setFocus();
    EXPECT_EQ(b->look(), LumoLook::Resting);

    // The hover lights the face as the focus does, from the Enter to the Leave, with no
    // timer running in between.
    struct Way {
        const char* name;
        void (*enter)(LumoButton& button);
        void (*leave)(LumoButton& button, QWidget& window);
    };
    const Way ways[] = {
        {"the pointer moves in and out",
         [](LumoButton& button) { QTest::mouseMove(&button, QPoint(20, 10)); },
         [](LumoButton&, QWidget& w) { QTest::mouseMove(&w, QPoint(300, 100)); }},
        {"Enter and Leave events", [](LumoButton& button) { sendEnter(button, QPoint(20, 10)); },
         [](LumoButton& button, QWidget&) { sendLeave(button); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        way.enter(*b);
        EXPECT_TRUE(b->hovering());
        EXPECT_EQ(b->look(), LumoLook::Highlighted);
        EXPECT_EQ(b->surface(), lit);
        EXPECT_FALSE(anyTimerRuns(*b));
        way.leave(*b, window);
        EXPECT_FALSE(b->hovering());
        EXPECT_EQ(b->look(), LumoLook::Resting);
        EXPECT_EQ(b->surface(), b->faces().resting);
    }

    // A disabled button shows no hover, though Qt tells it of the pointer coming in; enabled
    // again under the pointer, the next move lights it even though no Enter comes.
    b->setEnabled(false);
    QTest::mouseMove(b, QPoint(20, 10));
    EXPECT_FALSE(b->hovering());
    EXPECT_EQ(b->look(), LumoLook::Resting);
    b->setEnabled(true);
    QMouseEvent move(QEvent::MouseMove, QPointF(21, 10), b->mapToGlobal(QPointF(21, 10)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(b, &move);
    EXPECT_TRUE(b->hovering());
    EXPECT_EQ(b->look(), LumoLook::Highlighted);
    sendLeave(*b);
    EXPECT_FALSE(b->hovering());

    // Held and dragged out: Qt keeps the Leave until the release, the first move outside
    // ends the hover. Back over the button with the button still held it stays at rest; the
    // release over it lights it and clicks.
    QSignalSpy clicks(b, &LumoButton::Click);
    sendEnter(*b, QPoint(20, 10));
    QTest::mousePress(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(b->look(), LumoLook::Pressed);
    QTest::mouseMove(b, QPoint(300, 100));
    EXPECT_FALSE(b->hovering());
    EXPECT_EQ(b->look(), LumoLook::Resting);
    QTest::mouseMove(b, QPoint(20, 10));
    EXPECT_FALSE(b->hovering());
    EXPECT_EQ(b->look(), LumoLook::Resting);
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(20, 10));
    EXPECT_EQ(b->look(), LumoLook::Highlighted);
    EXPECT_EQ(clicks.count(), 1);

    // A render (a new caption) shows the resting face; the surface is what the look shows.
    b->setCaption("MR");
    EXPECT_EQ(b->surface(), b->faces().resting);
}

} // namespace
} // namespace padrix
