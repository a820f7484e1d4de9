#pragma once

#include <QRect>

#include <optional>

namespace padrix::drivelist {

/// Lengths of the drive list in twips (1/1440 inch).
constexpr int IconLeftTwips = 100;
constexpr int IconTopTwips = 20;       // below the row's top
constexpr int TextLeftTwips = 500;     // also where the pointer starts to count as over a row
constexpr int PointerRightTwips = 800; // the pointer counts up to this far from the right edge
constexpr int PointerEdgeTwips = 100;  // ... and from the top and bottom edges
/// Pixels between the text band's right end and the control's right edge.
constexpr int BandRightMargin = 60;

/// Where the rows of the drive list lie, in the control's pixels. Row 0 is the top row on the
/// screen, whichever entry it shows.
struct DriveListGeometry {
    int width = 0;
    int height = 0;
    int rowHeight = 1;         // the font's line height, at least 1
    double twipsPerPixel = 15; // 15 at 96 dpi

    double pixels(double twips) const { return twips / twipsPerPixel; }
    int textLeft() const;
    int iconLeft() const;
    int iconTop(int row) const;
    int rowTop(int row) const { return row * rowHeight; }

    /// The rows whose top lies above the bottom edge.
    int rowSlots() const;
    /// How many entries, from the first to show on, are drawn.
    int rowsDrawn(int entryCount, int first) const;
    /// The text band of a row: from the text's left to BandRightMargin before the right edge.
    QRect band(int row) const;
    /// The row whose band y lies strictly inside, among the rows that fit; none on a border.
    std::optional<int> rowAt(double y) const;
    /// Whether a pointer position is far enough inside the control to be over a row.
    bool insideRowArea(double x, double y) const;
};

/// How the scroll bar is set after a full redraw from the first entry.
struct ScrollSetup {
    bool barShown = false;
    int pageRows = 0; // also the bar's large change
    int valueMax = 0;
};
/// All entries drawn: no bar, a page is the rows drawn. Otherwise a page is one row less than
/// drawn, and the bar reaches from 0 to the last index less a page, at least a page.
ScrollSetup scrollAfterFullRedraw(int entryCount, int rowsDrawn);

} // namespace padrix::drivelist
