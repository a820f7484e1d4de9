#include "controls/OwnerDrawnControl.h"

#include "controls/ControlAccessibility.h"
#include "controls/PixelDrawing.h"

#include <QEvent>
#include <QMetaClassInfo>
#include <QPainter>

namespace padrix {

OwnerDrawnControl::OwnerDrawnControl(QWidget* parent) : QWidget(parent) {
    installControlAccessibility();
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString OwnerDrawnControl::classIdentifier() const {
    const QMetaObject* meta = metaObject();
    const int index = meta->indexOfClassInfo("ClassIdentifier");
    return index < 0 ? QString() : QString::fromLatin1(meta->classInfo(index).value());
}

void OwnerDrawnControl::Refresh() {
    update();
}

QImage OwnerDrawnControl::surface() const {
    // A control is never a const object; drawing what waits changes only what is shown.
    const_cast<OwnerDrawnControl*>(this)->drawIfPending();
    return m_surface;
}

void OwnerDrawnControl::redraw() {
    m_drawPending = true;
    if (isVisible())
        drawIfPending();
}

void OwnerDrawnControl::drawIfPending() {
    if (!m_drawPending)
        return;
    m_drawPending = false;
    draw();
}

void OwnerDrawnControl::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    drawIfPending();
}

void OwnerDrawnControl::showSurface(const QImage& image) {
    m_surface = image;
    update();
}

void OwnerDrawnControl::shapeTo(const QImage& face) {
    shapeTo(logicalOpaqueRegion(face), face.deviceIndependentSize().toSize());
}

void OwnerDrawnControl::shapeTo(const QRegion& shape, QSize faceSize) {
    const bool whole = shape == QRegion(QRect(QPoint(0, 0), faceSize));
    if (whole)
        clearMask();
    else
        setMask(shape);
    // A shaped control leaves its parent to paint beneath it: taking every shape out of the
    // parent's paint would cost more, in region arithmetic, than painting the few pixels twice.
    setAttribute(Qt::WA_OpaquePaintEvent, whole);
}

void OwnerDrawnControl::readEnabled(const PropertyBag& bag) {
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
}

void OwnerDrawnControl::writeEnabled(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("Enabled"), isEnabled(), true);
}

void OwnerDrawnControl::paintEvent(QPaintEvent*) {
    drawIfPending(); // a hidden control drawn elsewhere (grab, render)
    if (m_surface.devicePixelRatio() != devicePixelRatio())
        devicePixelRatioChange();
    // An image of a finer ratio is shown at its logical size, pixel for device pixel.
    QPainter painter(this);
    painter.drawImage(0, 0, m_surface);
}

void OwnerDrawnControl::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::EnabledChange)
        return;
    enabledChange();
    emit PropertyChanged(QStringLiteral("Enabled"));
}

} // namespace padrix
