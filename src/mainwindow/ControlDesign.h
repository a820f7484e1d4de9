#pragma once

#include <QFont>
#include <QString>

#include <span>

class QFrame;
class QWidget;

namespace padrix {

class LumoButton;

/// Where a control of the window stands in the design, and its colours: one row of a
/// concern's table. Positions and sizes are in twips; colours are 0x00BBGGRR, -1 for none.
struct ControlDesign {
    const char* name;
    int index; // member of a control array, or -1
    int left;
    int top;
    int width;
    int height;
    int backColor = -1;
    int foreColor = -1; // text, or a shape's border
};

/// A key of the window: where it stands (the design's back colour is the key's BackColor) and
/// how it looks.
struct ButtonDesign {
    ControlDesign at;
    const char* caption;
    const char* toolTip; // nullptr: none; English, shown in the user's language (context Keys)
    int renderColor;
    float fontSize; // points
    int border = 0; // frame style
};

/// A key made as the window's design loads it: from its saved properties.
LumoButton* makeButton(QWidget* parent, const ButtonDesign& design);

/// The design's lengths in twips turned into the screen's pixels.
class DesignScale {
public:
    explicit DesignScale(double twipsPerPixel) : m_twipsPerPixel(twipsPerPixel) {}
    /// Pixels for a length in twips.
    int pixels(double twips) const;
    /// Twips for a length in pixels.
    int twips(int pixels) const;
    /// Gives `widget` its design name, position and size.
    void place(QWidget* widget, const ControlDesign& design) const;
    double twipsPerPixel() const { return m_twipsPerPixel; }

private:
    double m_twipsPerPixel;
};

/// "Name" for a single control, "Name_Index" for a member of a control array.
QString objectNameOf(const ControlDesign& design);

/// The row of `table` with this name and index; the table must hold it.
const ControlDesign& designOf(std::span<const ControlDesign> table, const char* name,
                              int index = -1);

/// Gives a plain widget the design's colours: the background, and the text colour.
void applyColors(QWidget* widget, const ControlDesign& design);

/// A rectangle shape: a frame filled with the design's back colour and bordered in its fore
/// colour, named after the design.
QFrame* makeShape(QWidget* parent, const ControlDesign& design);

/// The window's typeface, Arial, at a size in points.
QFont designFont(double points, bool bold = false);

} // namespace padrix
