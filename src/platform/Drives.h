#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace padrix {

/// One place the file browser lists at the top: a drive root on Windows; "/" and mounted
/// volumes elsewhere.
struct Drive {
    QString root;                 // "C:\\" on Windows (upper case), "/" or a mount point elsewhere
    int type = 0;                 // 0 unknown (not listed), 1 invalid root, 2 removable, 3 fixed,
                                  // 4 network, 5 optical (CD-ROM), 6 RAM disk
    std::optional<QString> label; // the volume label when it can be read (may be empty)
    bool operator==(const Drive&) const = default;
};

/// One line of the system's mount table, as far as the drive list needs it.
struct MountInfo {
    QString mountPoint;           // "/", "/media/anna/STICK"
    QString fileSystem;           // "ext4", "vfat", "nfs4", "fuse.sshfs", "proc" ...
    std::optional<QString> label; // the volume label when it can be read
};

/// The drives of this machine: on Windows every logical drive, in the system's order; elsewhere
/// what drivesFromMounts makes of the mounted volumes.
std::vector<Drive> listDrives();

/// The drive list of a Unix mount table: "/" first (a fixed disk, labelled as its mount is),
/// then, sorted by mount point, the volumes mounted below /media, /run/media, /mnt and
/// /Volumes, typed by their file system. FAT, exFAT and NTFS volumes count as removable below
/// the desktop's automount folders (/media, /run/media, /Volumes) and as fixed below /mnt;
/// network, optical and memory file systems have their own types; pseudo file systems (proc,
/// sysfs, cgroup, overlay, squashfs, autofs ...) are left out, and any other file system is a
/// fixed disk. Of two mounts on one point the later, which hides the earlier, counts.
std::vector<Drive> drivesFromMounts(const std::vector<MountInfo>& mounts);

/// The user's own folder: USERPROFILE on Windows, the home folder elsewhere.
QString profileFolder();

/// Whether a path is the root of a drive or of the file system: "C:\\", "C:/" (any letter), "/".
bool isRootPath(const QString& path);

/// A name within a folder, written with the platform's separators; a folder that already ends
/// in a separator (a root) gets no second one. An empty folder gives the name alone.
QString joinPath(const QString& folder, const QString& name);

} // namespace padrix
