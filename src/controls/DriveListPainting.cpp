#include "controls/DriveListPainting.h"

#include <QFontMetrics>
#include <QPainter>

#include <array>
#include <cmath>

// Resources of a static library are registered by a call from outside any namespace.
static void registerDriveIcons() {
    Q_INIT_RESOURCE(driveicons);
}

namespace padrix::drivelist {

namespace {

/// One row's text in its band, clipped to the band.
void drawText(QPainter& painter, const DriveEntry& entry, int row, int index,
              const DriveListLook& look) {
    const QRect band = look.geometry.band(row);
    if (band.isEmpty())
        return;
    QFont font = look.font;
    font.setBold(index == look.selected);
    painter.setFont(font);
    painter.setPen(QColor(textColor(entry.kind)));
    painter.setClipRect(band);
    painter.drawText(band.left(), band.top() + QFontMetrics(font, painter.device()).ascent(),
                     entry.text);
    painter.setClipping(false);
}

} // namespace

QImage icon(int index) {
    static const std::array<QImage, 7> icons = [] {
        registerDriveIcons();
        std::array<QImage, 7> loaded;
        const char* names[] = {"drive-fixed", "folder",   "disc",   "floppy",
                               "removable",   "document", "profile"};
        for (std::size_t i = 0; i < loaded.size(); ++i)
            loaded[i] = QImage(QStringLiteral(":/padrix/icons/%1.png").arg(names[i]))
                            .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        return loaded;
    }();
    if (index < 0 || index >= static_cast<int>(icons.size()))
        return {};
    return icons[static_cast<std::size_t>(index)];
}

int rowHeightFor(const QFont& font) {
    const QImage device(1, 1, QImage::Format_RGB32);
    return std::max(QFontMetrics(font, &device).lineSpacing(), 1);
}

int drawRows(QImage& image, const QVector<DriveEntry>& entries, int first,
             const DriveListLook& look) {
    const DriveListGeometry& g = look.geometry;
    const qreal ratio = look.devicePixelRatio > 0 ? look.devicePixelRatio : 1.0;
    image =
        QImage(static_cast<int>(std::lround(std::max(g.width, 1) * ratio)),
               static_cast<int>(std::lround(std::max(g.height, 1) * ratio)), QImage::Format_RGB32);
    image.setDevicePixelRatio(ratio);
    image.fill(BackgroundColor);
    // The painter works in the list's pixels; texts are laid out at the image's ratio.
    const int rows = g.rowsDrawn(static_cast<int>(entries.size()), first);
    QPainter painter(&image);
    for (int row = 0; row < rows; ++row) {
        const DriveEntry& entry = entries[first + row];
        // A font with rows lower than the icons cuts them at the row's bottom.
        painter.setClipRect(0, g.rowTop(row), g.width, g.rowHeight);
        painter.drawImage(g.iconLeft(), g.iconTop(row), icon(iconOf(entry.kind)));
        painter.setClipping(false);
        drawText(painter, entry, row, first + row, look);
    }
    return rows;
}

void drawBands(QImage& image, const QVector<DriveEntry>& entries, int first, int shown,
               int hoverRow, const DriveListLook& look) {
    QPainter painter(&image);
    for (int row = 0; row < shown && first + row < entries.size(); ++row) {
        painter.fillRect(look.geometry.band(row), row == hoverRow ? HoverColor : BandColor);
        drawText(painter, entries[first + row], row, first + row, look);
    }
}

} // namespace padrix::drivelist
