#include "controls/DriveListing.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace padrix::drivelist {

namespace {

/// A root written the Windows way: a letter, a colon and a separator.
bool isWindowsRoot(const QString& root) {
    return isRootPath(root) && root != QLatin1String("/");
}

/// The last component of a path: "anna" for "/home/anna" and for "C:\\Users\\anna\\".
QString lastComponent(const QString& path) {
    QString cleaned = QDir::fromNativeSeparators(path);
    while (cleaned.size() > 1 && cleaned.endsWith(QLatin1Char('/')))
        cleaned.chop(1);
    return cleaned.section(QLatin1Char('/'), -1);
}

QFileInfoList sortedEntries(const QString& folder) {
    QFileInfoList list = QDir(folder).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
    std::sort(list.begin(), list.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const int order = a.fileName().compare(b.fileName(), Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a.fileName() < b.fileName();
    });
    return list;
}

} // namespace

int kindOf(const Drive& drive) {
    if (drive.type < 1 || drive.type > 6)
        return 0;
    if (isWindowsRoot(drive.root) && (drive.root.front().toUpper() == QLatin1Char('A') ||
                                      drive.root.front().toUpper() == QLatin1Char('B')))
        return Floppy;
    return drive.type + DriveKindOffset;
}

QString textOf(const Drive& drive) {
    QString text = isWindowsRoot(drive.root) ? drive.root.toUpper() : drive.root;
    if (drive.label)
        text += QStringLiteral(" <%1>").arg(*drive.label);
    return text;
}

QRgb textColor(int kind) {
    switch (kind) {
    case Folder:
        return qRgb(0xFF, 0, 0);
    case File:
        return qRgb(0, 0, 0);
    case ReadOnlyFile:
        return qRgb(0x80, 0x80, 0x80);
    default:
        return qRgb(0, 0x80, 0); // drives and the profile folder
    }
}

int iconOf(int kind) {
    switch (kind) {
    case Folder:
        return 1;
    case File:
    case ReadOnlyFile:
        return 5;
    case DriveKindOffset + 2:
        return 4;
    case DriveKindOffset + 5:
        return 2;
    case Floppy:
        return 3;
    case Profile:
        return 6;
    default:
        return 0;
    }
}

bool matchesFilter(const QString& name, const QString& filter) {
    return filter.isEmpty() || filter == QLatin1String(".*") ||
           name.toLower().contains(filter.toLower());
}

Listing listFolder(const std::vector<Drive>& drives, const QString& profile, const QString& folder,
                   const QString& filter) {
    Listing listing;
    auto add = [&](const QString& text, int kind, const QString& place = QString()) {
        listing.entries.push_back({text, kind});
        listing.places.push_back(place);
    };
    for (const Drive& drive : drives) {
        if (const int kind = kindOf(drive); kind != 0)
            add(textOf(drive), kind, drive.root);
    }
    if (!profile.isEmpty())
        add(lastComponent(profile), Profile, profile);
    if (!isRootPath(folder))
        add(QStringLiteral(".."), Folder);

    Listing files;
    for (const QFileInfo& info : sortedEntries(folder)) {
        if (info.isDir()) {
            add(info.fileName(), Folder);
        } else if (matchesFilter(info.fileName(), filter)) {
            // The owner's write permission is the file's read-only attribute on Windows.
            const bool readOnly = !info.permission(QFileDevice::WriteOwner);
            files.entries.push_back({info.fileName(), readOnly ? ReadOnlyFile : File});
            files.places.push_back(QString());
        }
    }
    listing.entries += files.entries;
    listing.places += files.places;
    return listing;
}

} // namespace padrix::drivelist
