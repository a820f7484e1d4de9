#pragma once

#include "controls/PropertyBag.h"

#include <QImage>
#include <QWidget>

namespace padrix {

/// What the program's owner-drawn controls have in common: a retained surface that the
/// control draws into and a paint shows as it is; the saved properties, whose every change is
/// notified by the name it is saved under; and the Enabled property, which reacts alike
/// however the control becomes enabled or disabled (the property, QWidget::setEnabled, a
/// disabled parent). Each control declares its own "ClassIdentifier" class info.
class OwnerDrawnControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(bool Enabled READ Enabled WRITE setEnabled)

public:
    bool Enabled() const { return isEnabled(); }

    /// The "ClassIdentifier" class info of the control's class, the name containers save the
    /// control under; empty for a class without one.
    QString classIdentifier() const;

    /// Shows again what the control shows.
    virtual void Refresh();

    virtual void ReadProperties(const PropertyBag& bag) = 0;
    virtual void WriteProperties(PropertyBag& bag) const = 0;

    /// What is on screen, for tests and for containers that draw the control elsewhere; a draw
    /// that waits for the control to be shown is done first.
    QImage surface() const;

signals:
    /// A property changed; the argument is the name it is saved under.
    void PropertyChanged(const QString& savedName);

protected:
    /// Takes keyboard focus by tab and click and sees every mouse move; paints every pixel.
    explicit OwnerDrawnControl(QWidget* parent);

    /// Draws the surface anew from the control's state (draw()): at once where the control is
    /// visible, else when it is shown or its surface is asked for. A control set up property by
    /// property before it is shown is so drawn once, in its final state.
    void redraw();
    /// True while a draw waits for the control to be shown.
    bool drawPending() const { return m_drawPending; }
    /// Does the draw that waits, if any.
    void drawIfPending();
    /// Draws the surface and the shape from the control's state; see redraw().
    virtual void draw() {}

    /// Puts an image on screen.
    void showSurface(const QImage& image);
    /// Gives the control the shape of a face: its mask-colour pixels are see-through.
    void shapeTo(const QImage& face);
    /// Gives the control a shape already worked out, in its own pixels, for a face of the given
    /// size; a shape that is the whole face clears the mask.
    void shapeTo(const QRegion& shape, QSize faceSize);

    /// The "Enabled" entry of the saved properties.
    void readEnabled(const PropertyBag& bag);
    void writeEnabled(PropertyBag& bag) const;

    /// Called once the control has become enabled or disabled, whichever way, before the
    /// change is notified; a control brings its look and state in line here.
    virtual void enabledChange() {}

    /// Called by a paint that finds the surface drawn for another device pixel ratio than the
    /// control now has (it moved to another screen); a control that draws at the screen's
    /// ratio draws anew here.
    virtual void devicePixelRatioChange() {}

    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QImage m_surface;
    bool m_drawPending = false; // a redraw() came while the control was hidden
};

} // namespace padrix
