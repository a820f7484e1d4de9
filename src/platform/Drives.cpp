#include "platform/Drives.h"

#include <QDir>
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <string_view>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>

#include <cwchar>
#else
#include <QStorageInfo>
#endif

namespace padrix {

namespace {

enum DriveType { Unknown = 0, Removable = 2, Fixed = 3, Network = 4, Optical = 5, RamDisk = 6 };

/// The folders where volumes other than the root are mounted, and whether the desktop mounts
/// hot-plugged media there.
struct MountFolder {
    std::string_view path;
    bool automount;
};
constexpr std::array<MountFolder, 4> MountFolders{{
    {"/media", true},
    {"/run/media", true},
    {"/Volumes", true},
    {"/mnt", false},
}};

bool inList(const QString& value, std::initializer_list<std::string_view> list) {
    return std::any_of(list.begin(), list.end(), [&](std::string_view item) {
        return value == QLatin1String(item.data(), static_cast<qsizetype>(item.size()));
    });
}

bool isPseudoFileSystem(const QString& fs) {
    return fs.startsWith(QLatin1String("cgroup")) ||
           inList(fs, {"proc",        "sysfs",           "devtmpfs",    "devpts",
                       "overlay",     "squashfs",        "autofs",      "debugfs",
                       "tracefs",     "securityfs",      "pstore",      "bpf",
                       "configfs",    "fusectl",         "mqueue",      "hugetlbfs",
                       "binfmt_misc", "efivarfs",        "nsfs",        "rpc_pipefs",
                       "selinuxfs",   "fuse.gvfsd-fuse", "fuse.portal", "none"});
}

/// The type of a volume mounted below one of the mount folders; Unknown to leave it out.
int typeOf(const QString& fs, bool automount) {
    if (fs.isEmpty() || isPseudoFileSystem(fs))
        return Unknown;
    if (inList(fs, {"vfat", "msdos", "exfat", "ntfs", "ntfs3", "fuseblk"}))
        return automount ? Removable : Fixed;
    if (inList(fs, {"nfs", "nfs4", "cifs", "smb3", "smbfs", "fuse.sshfs", "sshfs", "9p",
                    "fuse.davfs", "davfs"}))
        return Network;
    if (inList(fs, {"iso9660", "udf"}))
        return Optical;
    if (inList(fs, {"tmpfs", "ramfs"}))
        return RamDisk;
    return Fixed;
}

/// The mount folder a mount point lies strictly below, if any.
const MountFolder* mountFolderOf(const QString& mountPoint) {
    for (const MountFolder& folder : MountFolders) {
        const QLatin1String path(folder.path.data(), static_cast<qsizetype>(folder.path.size()));
        if (mountPoint.size() > path.size() + 1 && mountPoint.startsWith(path) &&
            mountPoint.at(path.size()) == QLatin1Char('/'))
            return &folder;
    }
    return nullptr;
}

bool isSeparator(QChar c) {
    return c == QLatin1Char('/') || c == QLatin1Char('\\');
}

} // namespace

std::vector<Drive> drivesFromMounts(const std::vector<MountInfo>& mounts) {
    Drive root{QStringLiteral("/"), Fixed, std::nullopt};
    std::vector<Drive> volumes;
    for (const MountInfo& mount : mounts) {
        if (mount.mountPoint == QLatin1String("/")) {
            root.label = mount.label;
            continue;
        }
        // A later mount on the same point hides the earlier one.
        std::erase_if(volumes, [&](const Drive& d) { return d.root == mount.mountPoint; });
        const MountFolder* folder = mountFolderOf(mount.mountPoint);
        if (folder == nullptr)
            continue;
        const int type = typeOf(mount.fileSystem, folder->automount);
        if (type != Unknown)
            volumes.push_back({mount.mountPoint, type, mount.label});
    }
    std::stable_sort(volumes.begin(), volumes.end(),
                     [](const Drive& a, const Drive& b) { return a.root < b.root; });
    volumes.insert(volumes.begin(), root);
    return volumes;
}

#ifdef Q_OS_WIN

std::vector<Drive> listDrives() {
    std::vector<Drive> drives;
    std::array<wchar_t, 512> roots{};
    const DWORD length = GetLogicalDriveStringsW(static_cast<DWORD>(roots.size()), roots.data());
    if (length == 0 || length >= roots.size())
        return drives;
    // An empty floppy or optical drive must not bring up the system's error box.
    DWORD previousMode = 0;
    SetThreadErrorMode(SEM_FAILCRITICALERRORS, &previousMode);
    for (const wchar_t* root = roots.data(); *root != L'\0'; root += std::wcslen(root) + 1) {
        Drive drive;
        drive.root = QString::fromWCharArray(root).toUpper();
        const UINT type = GetDriveTypeW(root);
        drive.type = type <= DRIVE_RAMDISK ? static_cast<int>(type) : Unknown;
        std::array<wchar_t, MAX_PATH + 1> label{};
        if (GetVolumeInformationW(root, label.data(), static_cast<DWORD>(label.size()), nullptr,
                                  nullptr, nullptr, nullptr, 0))
            drive.label = QString::fromWCharArray(label.data());
        drives.push_back(drive);
    }
    SetThreadErrorMode(previousMode, nullptr);
    return drives;
}

QString profileFolder() {
    return qEnvironmentVariable("USERPROFILE");
}

#else

std::vector<Drive> listDrives() {
    std::vector<MountInfo> mounts;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        MountInfo mount{volume.rootPath(), QString::fromLatin1(volume.fileSystemType()),
                        std::nullopt};
        if (volume.isValid() && volume.isReady())
            mount.label = volume.name();
        mounts.push_back(mount);
    }
    return drivesFromMounts(mounts);
}

QString profileFolder() {
    return QDir::homePath();
}

#endif

bool isRootPath(const QString& path) {
    if (path == QLatin1String("/"))
        return true;
    return path.size() == 3 && path.at(0).isLetter() && path.at(0).unicode() < 128 &&
           path.at(1) == QLatin1Char(':') && isSeparator(path.at(2));
}

QString joinPath(const QString& folder, const QString& name) {
    if (folder.isEmpty())
        return name;
    const QString native = QDir::toNativeSeparators(folder);
    if (native.endsWith(QDir::separator()))
        return native + name;
    return native + QDir::separator() + name;
}

} // namespace padrix
