#pragma once

#include "controls/LumoFace.h"
#include "controls/OwnerDrawnControl.h"

namespace padrix {

/// The program's push button: an owner-drawn face with a colour gradient, one of four frame
/// styles and a centred caption; lighter while the pointer is over it or it has the focus,
/// pressed while a mouse button is down. It raises its mouse and key events to its container
/// and notifies it of every changed property by the name the property is saved under. Becoming
/// disabled, however it comes about, returns it to the resting face.
class LumoButton : public OwnerDrawnControl {
    Q_OBJECT
    Q_CLASSINFO("ClassIdentifier", "PadrixCalculator.LumoButton")
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int Border READ Border WRITE setBorder)
    Q_PROPERTY(int RenderColor READ RenderColor WRITE setRenderColor)
    Q_PROPERTY(int FontSize READ FontSize WRITE setFontSize)

public:
    static constexpr const char* ClassIdentifier = "PadrixCalculator.LumoButton";

    explicit LumoButton(QWidget* parent = nullptr);

    QString Caption() const { return m_state.caption; }
    void setCaption(const QString& New_Caption);
    /// Presses the button as a click does (for assistive technology's press action).
    void press() { emit Click(); }
    int BackColor() const { return m_backColor; }
    void setBackColor(int New_BackColor);
    int Border() const { return m_state.border; }
    /// A value beyond 16 bits is refused: nothing is stored.
    void setBorder(int New_Border);
    int RenderColor() const { return m_renderColor; }
    void setRenderColor(int New_RenderColor);
    /// Points, rounded half to even; the font keeps a single-precision size.
    int FontSize() const;
    void setFontSize(int New_FontSize);

    /// Draws the faces anew from the properties, at the control's device pixel ratio, and
    /// shows the resting face; a hidden button draws when it is shown. A state drawn before is
    /// taken from the shared looks.
    void ButtonRender();

    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    /// The faces of the last render and the hover state, for tests and for containers that
    /// draw the control elsewhere.
    const LumoFaces& faces() const;
    LumoLook look() const { return m_look; }
    bool hovering() const { return m_hover; }

signals:
    void Click();
    void DblClick();
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);

protected:
    void enabledChange() override;
    void draw() override;
    void devicePixelRatioChange() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    void showLook(LumoLook look);
    void startHover();
    void endHover();

    LumoFaceState m_state;                    // what the faces are drawn from
    std::shared_ptr<const LumoLooks> m_looks; // of the last draw; null before the first
    LumoLook m_look = LumoLook::Resting;
    int m_renderColor = 0;           // as set, bits 24..31 included
    int m_backColor = 0xE0E0E0;      // surface background, 0x00BBGGRR
    float m_fontSize = 9.75F;        // points
    bool m_hover = false;            // the pointer is tracked as over the control
    bool m_afterDoubleClick = false; // the release that ends a double click raises no Click
};

} // namespace padrix
