#include "controls/LumoButton.h"
#include "controls/ScrollPainting.h"
#include "controls/VantoVerticalScroll.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace padrix {
namespace {

/// The ways a control inside a window becomes enabled or disabled.
struct EnablingWay {
    const char* name;
    void (*set)(QWidget& control, QWidget& parent, bool enabled);
};

const EnablingWay enablingWays[] = {
    {"QWidget::setEnabled", [](QWidget& control, QWidget&, bool on) { control.setEnabled(on); }},
    {"the parent", [](QWidget&, QWidget& parent, bool on) { parent.setEnabled(on); }},
    {"the Enabled property",
     [](QWidget& control, QWidget&, bool on) { control.setProperty("Enabled", on); }},
};

/// The saved names the spy has seen, separated by spaces.
std::string savedNames(const QSignalSpy& spy) {
    QStringList names;
    for (const auto& args : spy)
        names << args.at(0).toString();
    return names.join(' ').toStdString();
}

void send(QWidget& widget, QEvent::Type type, QPointF at, Qt::MouseButton button,
          Qt::MouseButtons buttons) {
    QMouseEvent event(type, at, widget.mapToGlobal(at), button, buttons, Qt::NoModifier);
    QApplication::sendEvent(&widget, &event);
}

TEST(OwnerDrawnControl, ShowsItsSurfaceAndNamesItsClass) {
    LumoButton button;
    button.setCaption("MR");
    button.setBorder(3); // rounded corners: a masked shape
    VantoVerticalScroll bar;
    bar.setValue(40);
    const struct {
        OwnerDrawnControl& control;
        const char* identifier;
    } controls[] = {{button, LumoButton::ClassIdentifier},
                    {bar, VantoVerticalScroll::ClassIdentifier}};
    for (const auto& c : controls) {
        SCOPED_TRACE(c.identifier);
        EXPECT_EQ(c.control.classIdentifier().toStdString(), c.identifier);
        // A paint puts the surface on screen as it is, every pixel of it.
        const QImage shown = c.control.grab().toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, c.control.surface().convertToFormat(QImage::Format_RGB32));
        // Saved properties round-trip through the common interface.
        c.control.setEnabled(false);
        PropertyBag bag;
        c.control.WriteProperties(bag);
        EXPECT_TRUE(bag.contains("Enabled"));
        c.control.setEnabled(true);
        c.control.ReadProperties(bag);
        EXPECT_FALSE(c.control.Enabled());
    }
}

TEST(OwnerDrawnControl, ButtonComesToRestHoweverItIsDisabled) {
    for (const EnablingWay& way : enablingWays) {
        SCOPED_TRACE(way.name);
        QWidget window;
        window.resize(300, 100);
        auto* b = new LumoButton(&window);
        b->setCaption("5");
        window.show();
        QSignalSpy clicks(b, &LumoButton::Click);

        // Hovering, then held in the middle of a double click when it is disabled: the
        // release that would end both never reaches a disabled control.
        send(*b, QEvent::MouseMove, {20, 10}, Qt::NoButton, Qt::NoButton);
        QTest::mousePress(b, Qt::LeftButton, {}, QPoint(10, 10));
        send(*b, QEvent::MouseButtonDblClick, {10, 10}, Qt::LeftButton, Qt::LeftButton);
        ASSERT_TRUE(b->hovering());
        ASSERT_EQ(b->look(), LumoLook::Pressed);

        QSignalSpy changed(b, &LumoButton::PropertyChanged);
        way.set(*b, window, false);
        EXPECT_FALSE(b->Enabled());
        EXPECT_EQ(savedNames(changed), "Enabled");
        EXPECT_EQ(b->look(), LumoLook::Resting);
        EXPECT_EQ(b->surface(), b->faces().resting);
        EXPECT_FALSE(b->hovering());
        QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(10, 10));

        way.set(*b, window, true);
        EXPECT_TRUE(b->Enabled());
        EXPECT_EQ(savedNames(changed), "Enabled Enabled");
        // The double click was cut short: the next release is a click of its own.
        clicks.clear();
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(10, 10));
        EXPECT_EQ(clicks.count(), 1);
    }
}

TEST(OwnerDrawnControl, ScrollBarStopsHoweverItIsDisabled) {
    for (const EnablingWay& way : enablingWays) {
        SCOPED_TRACE(way.name);
        QWidget window;
        window.resize(100, 300);
        auto* bar = new VantoVerticalScroll(&window);
        window.show();
        QSignalSpy changed(bar, &VantoVerticalScroll::PropertyChanged);

        // Held on the bottom arrow: no release will stop the repeat once disabled.
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(15, 235));
        ASSERT_TRUE(bar->repeatTimer()->isActive());
        way.set(*bar, window, false);
        EXPECT_FALSE(bar->repeatTimer()->isActive());
        EXPECT_EQ(savedNames(changed), "Enabled");
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(15, 235));
        way.set(*bar, window, true);
        EXPECT_EQ(savedNames(changed), "Enabled Enabled");

        // Dragging the thumb: disabling shows the thumb at rest, where it stands.
        QTest::mousePress(bar, Qt::LeftButton, {}, QPoint(15, bar->thumbTop() + 5));
        send(*bar, QEvent::MouseMove, {15, 126}, Qt::NoButton, Qt::LeftButton);
        ASSERT_TRUE(bar->dragging());
        const QImage resting =
            scroll::repaint(scroll::background(30, 240, bar->BackColor()), true, bar->thumbTop(),
                            bar->thumbHeight(), false, qRgb(255, 255, 255));
        ASSERT_NE(bar->surface(), resting);
        way.set(*bar, window, false);
        EXPECT_FALSE(bar->dragging());
        EXPECT_EQ(bar->surface(), resting);
        EXPECT_EQ(savedNames(changed), "Enabled Enabled Enabled");
        QTest::mouseRelease(bar, Qt::LeftButton, {}, QPoint(15, 126));
    }
}

} // namespace
} // namespace padrix
