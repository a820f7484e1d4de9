#include "core/SafeSave.h"

#include "platform/FileLimits.h"

#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace padrix {

namespace {

/// Why writing `size` bytes to `path` failed: a full disk and a size limit are named as such,
/// since the system's own word for them is not always kept.
QString failureCause(const QString& path, qint64 size, const QString& systemReason) {
    const QStorageInfo volume(QFileInfo(path).absolutePath());
    if (volume.isValid() && volume.bytesAvailable() >= 0 && volume.bytesAvailable() < size)
        return QStringLiteral("the disk is full");
    const qint64 limit = fileSizeLimit();
    if (limit >= 0 && limit < size)
        return QStringLiteral("the file would pass the size limit of %1 bytes").arg(limit);
    return systemReason;
}

} // namespace

bool saveWholeFile(const QString& path, std::string_view bytes, QString* error) {
    QSaveFile file(path);
    QString reason;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
    } else {
        // QSaveFile::commit() renames even when its buffered data did not all reach the disk
        // (a full disk, a size limit), so the buffer is flushed and checked first. The cause is
        // read before the writing is cancelled, which would replace it by its own.
        const bool written = file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                                 static_cast<qint64>(bytes.size()) &&
                             file.flush();
        if (written) {
            if (file.commit())
                return true;
            reason = file.errorString();
        } else {
            reason = failureCause(path, static_cast<qint64>(bytes.size()), file.errorString());
            file.cancelWriting();
        }
    }
    if (error != nullptr)
        *error = reason;
    return false;
}

} // namespace padrix
