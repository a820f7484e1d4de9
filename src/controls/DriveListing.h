#pragma once

#include "platform/Drives.h"

#include <QRgb>
#include <QString>
#include <QVector>

#include <vector>

namespace padrix {

/// One line of the drive list: its text and its kind.
struct DriveEntry {
    QString text;
    int kind = 0;
    bool operator==(const DriveEntry&) const = default;
};

/// What the drive list shows and where its lines lead, apart from any widget.
namespace drivelist {

/// Kinds of lines. A drive's kind is its type + DriveKindOffset, Floppy for the A and B drives.
constexpr int Folder = 1; // a sub-folder, or ".." for the parent
constexpr int File = 2;   // a file that matches the filter
constexpr int ReadOnlyFile = 3;
constexpr int DriveKindOffset = 10; // 11 invalid root, 12 removable, 13 fixed, 14 network,
                                    // 15 optical, 16 RAM disk
constexpr int Floppy = 100;
constexpr int Profile = 110; // the user's own folder

/// The kind of a drive's line; 0 for a drive that is not listed (type 0 or unknown).
int kindOf(const Drive& drive);
/// The text of a drive's line: its root, a Windows root in upper case, then " <label>" when
/// the label was read.
QString textOf(const Drive& drive);

/// The colour of a line's text and the index of its icon (0 fixed disk, 1 folder, 2 optical
/// disc, 3 floppy, 4 removable, 5 document, 6 profile).
QRgb textColor(int kind);
int iconOf(int kind);

/// Whether a file name passes the filter: its lower case contains the filter's, or the
/// filter is ".*" or empty.
bool matchesFilter(const QString& name, const QString& filter);

/// The lines of one folder and, beside each, the folder that a click on it lists (a drive's
/// root, the profile folder; empty for the folder's own entries).
struct Listing {
    QVector<DriveEntry> entries;
    QVector<QString> places;
};

/// Lists a folder: the listed drives in their order, the profile folder when there is one,
/// ".." unless the folder is a root, the sub-folders, then the files that pass the filter.
/// The folder's entries, hidden ones too, are sorted by name without regard to case; one that
/// cannot be read contributes nothing.
Listing listFolder(const std::vector<Drive>& drives, const QString& profile, const QString& folder,
                   const QString& filter);

} // namespace drivelist

} // namespace padrix
