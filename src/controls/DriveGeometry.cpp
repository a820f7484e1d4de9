#include "controls/DriveGeometry.h"

#include "controls/ScrollGeometry.h"

#include <algorithm>
#include <cmath>

namespace padrix::drivelist {

int DriveListGeometry::textLeft() const {
    return nearest(pixels(TextLeftTwips));
}

int DriveListGeometry::iconLeft() const {
    return nearest(pixels(IconLeftTwips));
}

int DriveListGeometry::iconTop(int row) const {
    return rowTop(row) + nearest(pixels(IconTopTwips));
}

int DriveListGeometry::rowSlots() const {
    if (height <= 0)
        return 0;
    return (height + rowHeight - 1) / rowHeight;
}

int DriveListGeometry::rowsDrawn(int entryCount, int first) const {
    return std::clamp(entryCount - first, 0, rowSlots());
}

QRect DriveListGeometry::band(int row) const {
    const int left = textLeft();
    return QRect(left, rowTop(row), std::max(width - BandRightMargin - left, 0), rowHeight);
}

std::optional<int> DriveListGeometry::rowAt(double y) const {
    if (y <= 0)
        return std::nullopt;
    const int row = static_cast<int>(std::floor(y / rowHeight));
    if (row >= rowSlots() || y <= rowTop(row) || y >= rowTop(row + 1))
        return std::nullopt;
    return row;
}

bool DriveListGeometry::insideRowArea(double x, double y) const {
    return x >= pixels(TextLeftTwips) && x <= width - pixels(PointerRightTwips) &&
           y >= pixels(PointerEdgeTwips) && y <= height - pixels(PointerEdgeTwips);
}

ScrollSetup scrollAfterFullRedraw(int entryCount, int rowsDrawn) {
    if (rowsDrawn >= entryCount)
        return {false, rowsDrawn, 0};
    const int page = rowsDrawn - 1;
    return {true, page, std::max(entryCount - 1 - page, page)};
}

} // namespace padrix::drivelist
