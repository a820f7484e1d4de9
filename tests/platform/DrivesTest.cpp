#include "platform/Drives.h"

#include <QDir>

#include <gtest/gtest.h>

namespace padrix {
namespace {

std::string describe(const std::vector<Drive>& drives) {
    QStringList lines;
    for (const Drive& d : drives)
        lines << QStringLiteral("%1 %2 %3")
                     .arg(d.root)
                     .arg(d.type)
                     .arg(d.label ? QStringLiteral("<%1>").arg(*d.label) : QStringLiteral("-"));
    return lines.join(QLatin1Char('\n')).toStdString();
}

TEST(Drives, MountTableBecomesRootThenVolumesByKind) {
    const std::vector<MountInfo> mounts = {
        {"/proc", "proc", ""},
        {"/sys", "sysfs", ""},
        {"/sys/fs/cgroup", "cgroup2", ""},
        {"/dev", "devtmpfs", ""},
        {"/home", "ext4", "home"},        // reachable from the root: not a drive
        {"/boot/efi", "vfat", "EFI"},     // likewise
        {"/snap/core/1", "squashfs", ""}, // a snap image
        {"/media/anna/STICK", "vfat", "STICK"},
        {"/mnt/windows", "ntfs3", "OS"}, // a fixed disk's partition
        {"/run/media/bob/SD", "exfat", std::nullopt},
        {"/media/anna/BACKUP", "ext4", ""}, // a USB disk formatted for Linux
        {"/mnt/share", "cifs", std::nullopt},
        {"/mnt/nfs", "nfs4", std::nullopt},
        {"/mnt/remote", "fuse.sshfs", std::nullopt},
        {"/media/cdrom", "iso9660", "DISC 1"},
        {"/media/dvd", "udf", "MOVIE"},
        {"/mnt/ram", "tmpfs", ""},
        {"/media/image", "overlay", ""},
        {"/media/net", "autofs", ""},
        {"/Volumes/Data", "apfs", "Data"},
        {"/mntx/disk", "ext4", ""}, // not below /mnt
        {"/mnt", "ext4", "whole"},  // the mount folder itself
        {"/", "ext4", "System"},
        {"/mnt/stacked", "xfs", "lower"},
        {"/mnt/stacked", "btrfs", "upper"},  // hides the one below
        {"/media/net", "nfs", std::nullopt}, // mounted over its automount trigger
    };
    EXPECT_EQ(describe(drivesFromMounts(mounts)), "/ 3 <System>\n"
                                                  "/Volumes/Data 3 <Data>\n"
                                                  "/media/anna/BACKUP 3 <>\n"
                                                  "/media/anna/STICK 2 <STICK>\n"
                                                  "/media/cdrom 5 <DISC 1>\n"
                                                  "/media/dvd 5 <MOVIE>\n"
                                                  "/media/net 4 -\n"
                                                  "/mnt/nfs 4 -\n"
                                                  "/mnt/ram 6 <>\n"
                                                  "/mnt/remote 4 -\n"
                                                  "/mnt/share 4 -\n"
                                                  "/mnt/stacked 3 <upper>\n"
                                                  "/mnt/windows 3 <OS>\n"
                                                  "/run/media/bob/SD 2 -");
    // The root comes first even when the table does not name it.
    EXPECT_EQ(describe(drivesFromMounts({})), "/ 3 -");
}

TEST(Drives, ThisMachineListsTheRootFirstAndNoPseudoFileSystems) {
    const std::vector<Drive> drives = listDrives();
    ASSERT_FALSE(drives.empty());
#ifdef Q_OS_WIN
    EXPECT_TRUE(isRootPath(drives.front().root));
#else
    EXPECT_EQ(drives.front().root, "/");
    EXPECT_EQ(drives.front().type, 3);
#endif
    for (const Drive& d : drives) {
        SCOPED_TRACE(d.root.toStdString());
        EXPECT_GE(d.type, 0);
        EXPECT_LE(d.type, 6);
        for (const char* pseudo : {"/proc", "/sys", "/dev", "/run/user"})
            EXPECT_FALSE(d.root.startsWith(QLatin1String(pseudo)));
    }
}

TEST(Drives, RootsProfileAndJoinedPaths) {
    for (const char* root : {"/", "C:\\", "c:/", "Z:\\"})
        EXPECT_TRUE(isRootPath(root)) << root;
    for (const char* other : {"", "C:", "C:\\Users", "/home", "//", "1:\\", "CD\\"})
        EXPECT_FALSE(isRootPath(other)) << other;

#ifndef Q_OS_WIN
    EXPECT_EQ(profileFolder(), QDir::homePath());
    const struct {
        const char* folder;
        const char* name;
        const char* joined;
    } rows[] = {
        {"/", "etc", "/etc"},
        {"/home/anna", "tape.Clc", "/home/anna/tape.Clc"},
        {"/home/anna/", "tape.Clc", "/home/anna/tape.Clc"},
        {"", "tape.Clc", "tape.Clc"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(joinPath(r.folder, r.name), r.joined) << r.folder;
#endif
}

} // namespace
} // namespace padrix
