#include "controls/LumoButton.h"

#include "platform/KeyCodes.h"
#include "platform/MouseArgs.h"
#include "platform/PlatformColors.h"
#include "platform/Pointer.h"

#include <QKeyEvent>
#include <QMouseEvent>

#include <cmath>
#include <limits>

namespace padrix {

namespace {

constexpr int DefaultBackColor = 0xC0E0FF;   // saved default of "BackColor"
constexpr int DefaultRenderColor = 0xC0C0C0; // saved default of "RenderColor"
constexpr float DefaultFontSize = 9.0F;      // saved default of "Fontsize"

} // namespace

LumoButton::LumoButton(QWidget* parent) : OwnerDrawnControl(parent) {
    m_state.font = QFont(QStringLiteral("Arial"));
    m_state.font.setBold(true);
    m_state.font.setPointSizeF(m_fontSize);
    resize(154, 36);
    ButtonRender();
}

void LumoButton::setCaption(const QString& New_Caption) {
    m_state.caption = New_Caption;
    m_state.font.setFamily(QStringLiteral("Arial"));
    ButtonRender();
    emit PropertyChanged(QStringLiteral("Caption"));
}

void LumoButton::setBackColor(int New_BackColor) {
    m_backColor = New_BackColor;
    QPalette p = palette();
    p.setColor(QPalette::Window, colorOf(New_BackColor));
    setPalette(p);
    emit PropertyChanged(QStringLiteral("BackColor"));
}

void LumoButton::setBorder(int New_Border) {
    if (New_Border < std::numeric_limits<short>::min() ||
        New_Border > std::numeric_limits<short>::max())
        return; // an overflow: the property keeps its value
    m_state.border = New_Border;
    ButtonRender();
    emit PropertyChanged(QStringLiteral("Border"));
}

void LumoButton::setRenderColor(int New_RenderColor) {
    m_renderColor = New_RenderColor;
    m_state.renderColor = New_RenderColor & 0xFFFFFF;
    ButtonRender();
    emit PropertyChanged(QStringLiteral("RenderColor"));
}

int LumoButton::FontSize() const {
    return static_cast<int>(std::nearbyint(m_fontSize));
}

void LumoButton::setFontSize(int New_FontSize) {
    m_fontSize = static_cast<float>(New_FontSize);
    m_state.font.setPointSizeF(m_fontSize);
    emit PropertyChanged(QStringLiteral("Fontsize"));
}

void LumoButton::ButtonRender() {
    m_look = LumoLook::Resting;
    redraw();
}

const LumoFaces& LumoButton::faces() const {
    surface(); // draws what waits

    return m_looks->faces;
}

void LumoButton::draw() {
    m_state.width = width();
    m_state.height = height();
    m_state.devicePixelRatio = devicePixelRatio();
    m_looks = lumoLooks(m_state);
    shapeTo(m_looks->shape, m_looks->faces.resting.deviceIndependentSize().toSize());
    showSurface(m_looks->image(m_look));
}

void LumoButton::showLook(LumoLook look) {
    m_look = look;
    if (drawPending())
        return; // the draw that waits shows it
    showSurface(m_looks->image(look));
}

void LumoButton::startHover() {
    m_hover = true;
    showLook(LumoLook::Highlighted);
}

void LumoButton::endHover() {
    m_hover = false;
    showLook(LumoLook::Resting);
}

void LumoButton::ReadProperties(const PropertyBag& bag) {
    m_state.caption = bag.ReadProperty(QStringLiteral("Caption"), QString()).toString();
    m_backColor = bag.ReadProperty(QStringLiteral("BackColor"), DefaultBackColor).toInt();
    setRenderColor(bag.ReadProperty(QStringLiteral("RenderColor"), DefaultRenderColor).toInt());
    readEnabled(bag);
    m_fontSize = bag.ReadProperty(QStringLiteral("Fontsize"), DefaultFontSize).toFloat();
    m_state.font.setPointSizeF(m_fontSize);
    m_state.border = static_cast<short>(bag.ReadProperty(QStringLiteral("Border"), 0).toInt());
    // Containers here need not resize a control after loading it, so the face that reflects
    // "Fontsize" and "Border" is drawn now.
    ButtonRender();
}

void LumoButton::WriteProperties(PropertyBag& bag) const {
    bag.WriteProperty(QStringLiteral("Caption"), m_state.caption, QString());
    bag.WriteProperty(QStringLiteral("BackColor"), m_backColor, DefaultBackColor);
    bag.WriteProperty(QStringLiteral("RenderColor"), m_renderColor, DefaultRenderColor);
    writeEnabled(bag);
    bag.WriteProperty(QStringLiteral("Fontsize"), m_fontSize, DefaultFontSize);
    bag.WriteProperty(QStringLiteral("Border"), static_cast<int>(m_state.border), 0);
}

void LumoButton::enabledChange() {
    // A disabled control hears no release: a press or a double click in progress ends here.
    m_afterDoubleClick = false;
    endHover();
}

void LumoButton::devicePixelRatioChange() {
    draw();
}

void LumoButton::resizeEvent(QResizeEvent*) {
    ButtonRender();
}

void LumoButton::mousePressEvent(QMouseEvent* event) {
    showLook(LumoLook::Pressed);
    MouseArgs a(*event, event->button());
    emit MouseDown(a.Button, a.Shift, a.X, a.Y);
}

void LumoButton::mouseMoveEvent(QMouseEvent* event) {
    // A move proves the pointer is here even when no Enter came (the control was enabled
    // again under a still pointer). While a button is held the moves follow the pointer
    // everywhere and Qt keeps the Leave until the release, so a move that is over something
    // else ends the hover.
    if (event->buttons() == Qt::NoButton) {
        if (!m_hover)
            startHover();
    } else if (m_hover && widgetAtScreenPosition(event->globalPosition().toPoint()) != this) {
        endHover();
    }
    MouseArgs a(*event, event->buttons());
    emit MouseMove(a.Button, a.Shift, a.X, a.Y);
}

void LumoButton::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF p = event->position();
    if (p.x() > 0 && p.x() < width() && p.y() > 0 && p.y() < height()) {
        showLook(LumoLook::Highlighted);
        MouseArgs a(*event, event->button());
        emit MouseUp(a.Button, a.Shift, a.X, a.Y);
    }
    // The surface reports a click for a release over it, the left column and top row too.
    const bool overControl = p.x() >= 0 && p.x() < width() && p.y() >= 0 && p.y() < height();
    if (overControl && event->button() == Qt::LeftButton && !m_afterDoubleClick)
        emit Click();
    m_afterDoubleClick = false;
}

void LumoButton::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return;
    m_afterDoubleClick = true;
    emit DblClick();
}

void LumoButton::keyPressEvent(QKeyEvent* event) {
    KeyArgs a(*event);
    emit KeyDown(a.KeyCode, a.Shift);
    short ascii = keyAsciiOf(*event);
    if (ascii != 0) {
        emit KeyPress(ascii);
        emit Click();
    }
}

void LumoButton::keyReleaseEvent(QKeyEvent* event) {
    if (event->isAutoRepeat())
        return;
    KeyArgs a(*event);
    emit KeyUp(a.KeyCode, a.Shift);
}

void LumoButton::focusInEvent(QFocusEvent*) {
    if (!m_hover)
        showLook(LumoLook::Highlighted);
}

void LumoButton::focusOutEvent(QFocusEvent*) {
    showLook(LumoLook::Resting);
}

void LumoButton::enterEvent(QEnterEvent*) {
    // Qt sends Enter and Leave to a disabled control too; it shows no hover.
    if (isEnabled() && !m_hover)
        startHover();
}

void LumoButton::leaveEvent(QEvent*) {
    // Leaving, or another window coming over the control, ends the hover at once.
    if (m_hover)
        endHover();
}

} // namespace padrix
