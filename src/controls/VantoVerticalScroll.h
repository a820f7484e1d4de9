#pragma once

#include "controls/OwnerDrawnControl.h"

class QTimer;

namespace padrix {

/// The program's vertical scroll bar: an integer Value between ValueMin and ValueMax, a
/// checkered track between two arrow keys and a thumb that follows the value. The value moves
/// by dragging the thumb, by holding a button on an arrow (small steps) or on the track (large
/// steps); every assignment and every release raises Change. Keys are only passed on. Becoming
/// disabled, however it comes about, ends a drag or a repeat in progress. Each handler does its
/// step whole before it returns: no other event runs in its middle.
class VantoVerticalScroll : public OwnerDrawnControl {
    Q_OBJECT
    Q_CLASSINFO("ClassIdentifier", "PadrixCalculator.VantoVerticalScroll")
    Q_PROPERTY(int BackColor READ BackColor WRITE setBackColor)
    Q_PROPERTY(int ValueMax READ ValueMax WRITE setValueMax)
    Q_PROPERTY(int Value READ Value WRITE setValue)
    Q_PROPERTY(int ValueMin READ ValueMin WRITE setValueMin)
    Q_PROPERTY(int ValueLargeChange READ ValueLargeChange WRITE setValueLargeChange)
    Q_PROPERTY(int ValueSmallChange READ ValueSmallChange WRITE setValueSmallChange)

public:
    static constexpr const char* ClassIdentifier = "PadrixCalculator.VantoVerticalScroll";

    explicit VantoVerticalScroll(QWidget* parent = nullptr);

    int BackColor() const { return m_backColor; }
    void setBackColor(int New_BackColor);
    int ValueMax() const { return m_max; }
    void setValueMax(int New_ValueMax);
    int Value() const { return m_value; }
    /// Clamps, moves the thumb, repaints and raises Change, also for an unchanged value.
    void setValue(int New_Value);
    int ValueMin() const { return m_min; }
    void setValueMin(int New_ValueMin);
    int ValueLargeChange() const { return m_largeChange; }
    void setValueLargeChange(int New_ValueLargeChange);
    int ValueSmallChange() const { return m_smallChange; }
    void setValueSmallChange(int New_ValueSmallChange);

    /// Rebuilds the background and repaints.
    void Refresh() override;

    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

    /// The thumb's state, for tests and containers.
    int thumbTop() const { return m_thumbTop; }
    int thumbHeight() const { return m_thumbHeight; }
    bool dragging() const { return m_dragging; }
    QTimer* repeatTimer() const { return m_timer; }

public slots:
    /// One tick of the auto-repeat while a button is held outside the thumb.
    void Timer1_Timer();

signals:
    void KeyDown(short& KeyCode, short& Shift);
    void KeyUp(short& KeyCode, short& Shift);
    void Change();

protected:
    void enabledChange() override;
    void draw() override;
    void devicePixelRatioChange() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void rebuildBackground();
    /// The background and shape at the control's size, colour and device pixel ratio, drawn
    /// with the next repaint.
    void drawBackground();
    /// The background with the thumb, shown (once the control is shown).
    void repaintSurface();
    void drawFrame(QRgb color);
    void positionThumb(double offset);

    int m_backColor = 0xE0E0E0; // 0x00BBGGRR
    int m_value = 0;
    int m_min = 0;
    int m_max = 100;
    int m_largeChange = 5;
    int m_smallChange = 1;
    int m_thumbTop = 0;            // pixels
    int m_thumbHeight = 20;        // pixels
    int m_clickY = 0;              // where a press outside the thumb was, rounded
    bool m_dragging = false;       // from a press on the thumb to the next move with no button
    double m_lastDragY = 0;        // y of the last drag step handled
    QImage m_background;           // the bar without its thumb; also its shape
    bool m_backgroundStale = true; // m_background is drawn anew before it is shown
    QTimer* m_timer = nullptr;     // auto-repeat, 100 ms, runs while a button is held off the thumb
};

} // namespace padrix
