#pragma once

#include "controls/DriveGeometry.h"
#include "controls/DriveListing.h"

#include <QFont>
#include <QImage>
#include <QVector>

namespace padrix::drivelist {

constexpr QRgb BackgroundColor = qRgb(0xE0, 0xE0, 0xE0);
constexpr QRgb HoverColor = qRgb(0xED, 0xED, 0xFF); // the band under the pointer
constexpr QRgb BandColor = qRgb(0xFF, 0xFF, 0xFF);  // the other bands once the pointer moved

/// The seven icons of the list, 16 x 16 with see-through pixels, drawn in their top 14 rows:
/// 0 fixed disk, 1 folder, 2 optical disc, 3 floppy, 4 removable, 5 document, 6 profile. A
/// null image for any other index.
QImage icon(int index);

/// The line height of a font as the list's images draw it, at least 1.
int rowHeightFor(const QFont& font);

/// What the rows are drawn with.
struct DriveListLook {
    DriveListGeometry geometry;
    QFont font;
    int selected = -1;            // the entry drawn in bold
    qreal devicePixelRatio = 1.0; // device pixels per pixel of the geometry; the image carries it
};

/// A fresh image of the list, at the look's device pixel ratio: the background, then the entries
/// from the first to show on, a row each from the top, while a row starts above the bottom edge.
/// Each row shows the icon of its kind, cut at the row's bottom, and, in the band, the text in the
/// kind's colour. Returns how many rows it drew.
int drawRows(QImage& image, const QVector<DriveEntry>& entries, int first,
             const DriveListLook& look);

/// Paints the bands of the rows shown anew, the one of hoverRow (-1 for none) in HoverColor
/// and the others in BandColor, with their texts.
void drawBands(QImage& image, const QVector<DriveEntry>& entries, int first, int shown,
               int hoverRow, const DriveListLook& look);

} // namespace padrix::drivelist
