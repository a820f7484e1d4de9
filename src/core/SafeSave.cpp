#include "core/SafeSave.h"

#include "platform/FileLimits.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSaveFile>
#include <QStorageInfo>

namespace padrix {

namespace {

/// Why writing `size` bytes to `path` failed: a full disk and a size limit are named as such,
/// since the system's own word for them is not always kept.
SaveFailure writeCause(const QString& path, qint64 size, QString& reason) {
    const QStorageInfo volume(QFileInfo(path).absolutePath());
    if (volume.isValid() && volume.bytesAvailable() >= 0 && volume.bytesAvailable() < size) {
        reason = QCoreApplication::translate("padrix::SafeSave", "the disk is full");
        return SaveFailure::DiskFull;
    }
    const qint64 limit = fileSizeLimit();
    if (limit >= 0 && limit < size) {
        reason = QCoreApplication::translate("padrix::SafeSave",
                                             "the file would pass the size limit of %1 bytes")
                     .arg(limit);
        return SaveFailure::SizeLimit;
    }
    return SaveFailure::Other;
}

/// Why the file at `path` could not be created: a folder that is not there, or that cannot
/// be written, is named as such.
SaveFailure openCause(const QString& path, QString& reason) {
    const QFileInfo folder(QFileInfo(path).absolutePath());
    if (!folder.exists()) {
        reason = QCoreApplication::translate("padrix::SafeSave", "the folder %1 does not exist")
                     .arg(folder.filePath());
        return SaveFailure::MissingFolder;
    }
    if (QStorageInfo(folder.filePath()).isReadOnly()) {
        reason = QCoreApplication::translate("padrix::SafeSave", "the drive is read-only");
        return SaveFailure::ReadOnly;
    }
    if (!folder.isWritable()) {
        reason = QCoreApplication::translate("padrix::SafeSave", "the folder %1 is read-only")
                     .arg(folder.filePath());
        return SaveFailure::ReadOnly;
    }
    return SaveFailure::Other;
}

} // namespace

bool saveWholeFile(const QString& path, std::string_view bytes, QString* error,
                   SaveFailure* failure) {
    QSaveFile file(path);
    QString reason;
    SaveFailure cause = SaveFailure::Other;
    if (!file.open(QIODevice::WriteOnly)) {
        reason = file.errorString();
        cause = openCause(path, reason);
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
            reason = file.errorString();
            cause = writeCause(path, static_cast<qint64>(bytes.size()), reason);
            file.cancelWriting();
        }
    }
    if (error != nullptr)
        *error = reason;
    if (failure != nullptr)
        *failure = cause;
    return false;
}

} // namespace padrix
