#include "controls/VantoVerticalScroll.h"

#include "controls/ScrollGeometry.h"
#include "controls/ScrollPainting.h"
#include "platform/KeyCodes.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTimer>

namespace padrix {

namespace {

// Saved defaults.
constexpr int DefaultBackColor = 0xFFFFFF;
constexpr int DefaultValueMax = 100;
constexpr int DefaultLargeChange = 5;
constexpr int DefaultSmallChange = 1;

} // namespace

VantoVerticalScroll::VantoVerticalScroll(QWidget* parent)
    : OwnerDrawnControl(parent), m_timer(new QTimer(this)) {
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(100);
    connect(m_timer, &QTimer::timeout, this, &VantoVerticalScroll::Timer1_Timer);
    resize(30, 240);
    rebuildBackground();
}

void VantoVerticalScroll::setBackColor(int New_BackColor) {
    m_backColor = New_BackColor;
    emit PropertyChanged(QStringLiteral("BackColor"));
    rebuildBackground();
}

void VantoVerticalScroll::setValueMax(int New_ValueMax) {
    m_max = New_ValueMax;
    repaintSurface();
    emit PropertyChanged(QStringLiteral("ValueMax"));
}

void VantoVerticalScroll::setValue(int New_Value) {
    int v = New_Value;
    if (v > m_max)
        v = m_max;
    if (v < m_min)
        v = m_min;
    m_value = v;
    if (m_max > 0) {
        if (const auto top = scroll::thumbTopFor(m_value, m_min, m_max, height(), m_thumbHeight))
            m_thumbTop = *top;
    }
    m_thumbTop = scroll::clampThumbTop(m_thumbTop, height(), m_thumbHeight);
    repaintSurface();
    if (QAccessible::isActive()) {
        QAccessibleValueChangeEvent event(this, m_value);
        QAccessible::updateAccessibility(&event);
    }
    emit Change();
    emit PropertyChanged(QStringLiteral("Value"));
}

void VantoVerticalScroll::setValueMin(int New_ValueMin) {
    m_min = New_ValueMin;
    emit PropertyChanged(QStringLiteral("ValueMin"));
}

void VantoVerticalScroll::setValueLargeChange(int New_ValueLargeChange) {
    m_largeChange = New_ValueLargeChange;
    emit PropertyChanged(QStringLiteral("ValueLargeChange"));
}

void VantoVerticalScroll::setValueSmallChange(int New_ValueSmallChange) {
    m_smallChange = New_ValueSmallChange;
    emit PropertyChanged(QStringLiteral("ValueSmallChange"));
}

void VantoVerticalScroll::Refresh() {
    rebuildBackground();
    update();
}

void VantoVerticalScroll::rebuildBackground() {
    drawBackground();
    m_thumbHeight = scroll::thumbHeightFor(height());
    positionThumb(0);
    repaintSurface();
}

void VantoVerticalScroll::drawBackground() {
    m_backgroundStale = true;
}

void VantoVerticalScroll::devicePixelRatioChange() {
    drawBackground();
    draw();
}

void VantoVerticalScroll::positionThumb(double offset) {
    if (const auto top =
            scroll::thumbTopFor(m_value, m_min, m_max, height(), m_thumbHeight, offset))
        m_thumbTop = *top;
    m_thumbTop = scroll::clampThumbTop(m_thumbTop, height(), m_thumbHeight);
}

void VantoVerticalScroll::repaintSurface() {
    redraw();
}

void VantoVerticalScroll::draw() {
    if (m_backgroundStale) {
        m_background = scroll::background(width(), height(), m_backColor, devicePixelRatio());
        shapeTo(m_background);
        m_backgroundStale = false;
    }
    const QRgb highlight = palette().color(QPalette::Light).rgb();
    showSurface(
        scroll::repaint(m_background, m_max > 0, m_thumbTop, m_thumbHeight, m_dragging, highlight));
}

void VantoVerticalScroll::drawFrame(QRgb color) {
    QImage framed = surface();
    scroll::drawTrackFrame(framed, color);
    showSurface(framed);
}

void VantoVerticalScroll::Timer1_Timer() {
    const scroll::Range range{m_value, m_min, m_max, m_largeChange, m_smallChange};
    const scroll::RepeatStep step =
        scroll::repeatStep(m_clickY, m_thumbTop, m_thumbHeight, height(), range);
    if (step.idle)
        return;
    m_value = step.value;
    positionThumb(step.offset);
    repaintSurface();
    drawFrame(qRgb(0, 0, 0));
    emit Change();
    // A page-down run ends once the thumb has passed the point that was clicked.
    if (step.pagedDown && m_clickY < m_thumbTop)
        m_timer->stop();
}

void VantoVerticalScroll::ReadProperties(const PropertyBag& bag) {
    m_backColor = bag.ReadProperty(QStringLiteral("BackColor"), DefaultBackColor).toInt();
    m_max = bag.ReadProperty(QStringLiteral("ValueMax"), DefaultValueMax).toInt();
    m_value = bag.ReadProperty(QStringLiteral("Value"), 0).toInt();
    readEnabled(bag);
    m_min = bag.ReadProperty(QStringLiteral("ValueMin"), 0).toInt();
    m_largeChange =
        bag.ReadProperty(QStringLiteral("ValueLargeChange"), DefaultLargeChange).toInt();
    m_smallChange =
        bag.ReadProperty(QStringLiteral("ValueSmallChange"), DefaultSmallChange).toInt();
}

void VantoVerticalScroll::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("BackColor"), m_backColor, DefaultBackColor);
    bag.WriteProperty(QStringLiteral("ValueMax"), m_max, DefaultValueMax);
    bag.WriteProperty(QStringLiteral("Value"), m_value, 0);
    writeEnabled(bag);
    bag.WriteProperty(QStringLiteral("ValueMin"), m_min, 0);
    bag.WriteProperty(QStringLiteral("ValueLargeChange"), m_largeChange, DefaultLargeChange);
    bag.WriteProperty(QStringLiteral("ValueSmallChange"), m_smallChange, DefaultSmallChange);
}

void VantoVerticalScroll::enabledChange() {
    // A disabled control hears no release: a repeat or a drag in progress ends here.
    m_timer->stop();
    m_dragging = false;
    repaintSurface();
}

void VantoVerticalScroll::resizeEvent(QResizeEvent*) {
    rebuildBackground();
}

void VantoVerticalScroll::mousePressEvent(QMouseEvent* event) {
    if (m_min == m_max)
        return;
    if (event->button() == Qt::NoButton)
        return;
    const double y = event->position().y();
    if (y <= m_thumbTop || y >= m_thumbTop + m_thumbHeight) {
        // Outside the thumb (its first row included): repeat from the first tick on.
        m_dragging = false;
        m_clickY = nearest(y);
        m_timer->start();
    } else {
        m_dragging = true;
    }
}

void VantoVerticalScroll::mouseMoveEvent(QMouseEvent* event) {
    if (event->buttons() == Qt::NoButton || !m_dragging) {
        m_dragging = false;
        return;
    }
    const double y = event->position().y();
    if (y == m_lastDragY)
        return;
    const scroll::DragStep step = scroll::dragTo(y, height(), m_thumbHeight, m_min, m_max);
    m_thumbTop = step.thumbTop;
    m_value = step.value;
    m_lastDragY = y;
    repaintSurface();
    emit Change();
}

void VantoVerticalScroll::mouseReleaseEvent(QMouseEvent*) {
    m_timer->stop();
    repaintSurface();
    drawFrame(qRgb(0, 0, 0));
    emit Change();
}

void VantoVerticalScroll::keyPressEvent(QKeyEvent* event) {
    KeyArgs a(*event);
    emit KeyDown(a.KeyCode, a.Shift);
}

void VantoVerticalScroll::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    KeyArgs a(*event);
    emit KeyUp(a.KeyCode, a.Shift);
}

void VantoVerticalScroll::focusOutEvent(QFocusEvent*) {
    repaintSurface();
}

} // namespace padrix
