#include "platform/HeldFile.h"

#include <QFile>
#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#else
#include <QDir>
#include <QLockFile>
#endif

namespace padrix {

#if defined(Q_OS_UNIX)

struct HeldFile::Handle {
    int fd = -1;
    ~Handle() {
        if (fd >= 0)
            ::close(fd);
    }
};

namespace {

QString systemError() {
    return QString::fromLocal8Bit(std::strerror(errno));
}

} // namespace

HeldFile HeldFile::create(const QString& path, QString* error) {
    HeldFile file;
    const QByteArray name = QFile::encodeName(path);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        *error = systemError();
        if (fd >= 0)
            ::close(fd);
        return file;
    }
    file.m_handle = std::make_unique<Handle>();
    file.m_handle->fd = fd;
    return file;
}

HeldFile HeldFile::holdIfFree(const QString& path) {
    HeldFile file;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CLOEXEC);
    if (fd < 0)
        return file;
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) { // its holder runs
        ::close(fd);
        return file;
    }
    file.m_handle = std::make_unique<Handle>();
    file.m_handle->fd = fd;
    return file;
}

bool HeldFile::write(std::string_view bytes, QString* error) {
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_handle->fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            *error = n < 0 ? systemError() : QStringLiteral("nothing could be written");
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

bool HeldFile::sync(QString* error) {
    if (::fdatasync(m_handle->fd) == 0)
        return true;
    *error = systemError();
    return false;
}

void syncFolder(const QString& folder) {
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

bool replaceFile(const QString& from, const QString& to) {
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

#else

// Elsewhere a lock file beside the file holds it; Qt takes over a lock file whose process has
// gone. Durability is what flushing the file gives there.
struct HeldFile::Handle {
    QFile file;
    QLockFile lock;
    explicit Handle(const QString& path) : file(path), lock(path + QStringLiteral(".lock")) {}
};

HeldFile HeldFile::create(const QString& path, QString* error) {
    HeldFile held;
    auto handle = std::make_unique<Handle>(path);
    if (!handle->lock.tryLock(0)) {
        *error = QStringLiteral("another window holds it");
        return held;
    }
    if (!handle->file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        *error = handle->file.errorString();
        return held;
    }
    held.m_handle = std::move(handle);
    return held;
}

HeldFile HeldFile::holdIfFree(const QString& path) {
    HeldFile held;
    auto handle = std::make_unique<Handle>(path);
    if (QFile::exists(path) && handle->lock.tryLock(0) &&
        handle->file.open(QIODevice::ReadWrite | QIODevice::Append))
        held.m_handle = std::move(handle);
    return held;
}

bool HeldFile::write(std::string_view bytes, QString* error) {
    const auto size = static_cast<qint64>(bytes.size());
    if (m_handle->file.write(bytes.data(), size) == size)
        return true;
    *error = m_handle->file.errorString();
    return false;
}

bool HeldFile::sync(QString* error) {
    if (m_handle->file.flush())
        return true;
    *error = m_handle->file.errorString();
    return false;
}

void syncFolder(const QString&) {}

bool replaceFile(const QString& from, const QString& to) {
    QFile::remove(to);
    return QFile::rename(from, to);
}

#endif

HeldFile::HeldFile() = default;
HeldFile::~HeldFile() = default;
HeldFile::HeldFile(HeldFile&& other) noexcept = default;
HeldFile& HeldFile::operator=(HeldFile&& other) noexcept = default;

bool HeldFile::isOpen() const {
    return m_handle != nullptr;
}

void HeldFile::close() {
    m_handle.reset();
}

} // namespace padrix
