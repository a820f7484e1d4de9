#pragma once

#include "controls/DriveListPainting.h"
#include "controls/DriveListing.h"
#include "controls/OwnerDrawnControl.h"
#include "platform/Drives.h"

#include <functional>
#include <vector>

namespace padrix {

class VantoVerticalScroll;

/// The file browser of the open and save dialogs: the drives, the user's own folder, ".."
/// and the sub-folders of the current folder, then its files that pass a filter, a row each
/// with an icon, scrolled by the VantoVerticalScroll "sFiles" along the right edge. Listing a
/// folder makes it the process's current folder. The band of the row under the pointer is
/// lit; a click on a folder, a drive or the profile lists it, a click on a file picks it.
/// Page Up, Page Down, Up and Down scroll without moving the selection. Mouse and key events
/// are raised to the container.
class DriveControl : public OwnerDrawnControl {
    Q_OBJECT
    Q_CLASSINFO("ClassIdentifier", "PadrixCalculator.DriveControl")
    Q_PROPERTY(QString FontName READ FontName WRITE setFontName)

public:
    static constexpr const char* ClassIdentifier = "PadrixCalculator.DriveControl";

    using DriveLister = std::function<std::vector<Drive>()>;
    using Entry = DriveEntry; // text and kind of one row

    explicit DriveControl(QWidget* parent = nullptr, DriveLister drives = &listDrives,
                          std::function<QString()> profile = &profileFolder);

    /// Lists PathDir, making it the process's current folder, or the current folder when
    /// PathDir is empty or cannot be entered. Never fails: an unreadable folder lists the
    /// drives, the profile and "..".
    void GetDir(const QString& PathDir = QString());
    /// Sets the filter and lists the current folder; returns "".
    QString FileExtention(const QString& Pattern);

    /// The last click's result: the row's text, or the full path of a folder or file.
    QString DrivePathFile() const { return m_drivePathFile; }
    /// The name of the last file clicked.
    QString FileName() const { return m_fileName; }
    /// The last folder entered by a click on a folder or "..".
    QString SelectPath() const { return m_selectPath; }

    QString FontName() const { return m_font.family(); }
    void setFontName(const QString& New_FontName);

    const QVector<Entry>& entries() const { return m_listing.entries; }
    /// The entry drawn in bold, -1 for none; indices count from 0.
    int selectedIndex() const { return m_selected; }
    int rowHeight() const { return m_geometry.rowHeight; }
    /// The rows a page scrolls by, as the last full redraw found them.
    int pageRows() const { return m_pageRows; }

    /// Draws the list anew from its first entry.
    void Refresh() override;

    void ReadProperties(const PropertyBag& bag) override;
    void WriteProperties(PropertyBag& bag) const override;

signals:
    void DblClick();
    void KeyDown(short& KeyCode, short& Shift);
    void KeyPress(short& KeyAscii);
    void KeyUp(short& KeyCode, short& Shift);
    void MouseDown(short& Button, short& Shift, float& X, float& Y);
    void MouseMove(short& Button, short& Shift, float& X, float& Y);
    void MouseUp(short& Button, short& Shift, float& X, float& Y);

protected:
    void devicePixelRatioChange() override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void sFiles_Change();
    void sFiles_KeyDown(short& KeyCode, short& Shift);

    void updateGeometryAndFont();
    drivelist::DriveListLook look() const;
    void fullRedraw();
    void drawFrom(int first);
    void lightRowAt(QPointF position);
    void scrollByKey(short keyCode);
    void open(int index);

    DriveLister m_drives;
    std::function<QString()> m_profile;
    VantoVerticalScroll* m_files = nullptr; // "sFiles"
    drivelist::Listing m_listing;
    drivelist::DriveListGeometry m_geometry;
    QFont m_font;
    QImage m_image;   // what is on screen, changed by the hover
    QString m_folder; // the folder listed
    QString m_filter; // as FileExtention set it
    QString m_drivePathFile;
    QString m_fileName;
    QString m_selectPath;
    int m_selected = -1;
    int m_first = 0; // the entry in the top row
    int m_shown = 0; // the rows drawn
    int m_pageRows = 0;
    bool m_redrawing = false;        // a full redraw sets the bar: its Change draws nothing
    bool m_afterDoubleClick = false; // the release that ends a double click does nothing
};

using DriveLister = DriveControl::DriveLister;

} // namespace padrix
