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

void OwnerDrawnControl::showSurface(const QImage& image) {
    m_surface = image;
    update();
}

void OwnerDrawnControl::shapeTo(const QImage& face) {
    shapeTo(logicalOpaqueRegion(face), face.deviceIndependentSize().toSize());
}

void OwnerDrawnControl::shapeTo(const QRegion& shape, QSize faceSize) {
    if (shape == QRegion(QRect(QPoint(0, 0), faceSize)))
        clearMask();
    else
        setMask(shape);
}

void OwnerDrawnControl::readEnabled(const PropertyBag& bag) {
    setEnabled(bag.ReadProperty(QStringLiteral("Enabled"), true).toBool());
}

void OwnerDrawnControl::writeEnabled(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("Enabled"), isEnabled(), true);
}

void OwnerDrawnControl::paintEvent(QPaintEvent*) {
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
