#include "core/SafeSave.h"

#include <QSaveFile>

namespace padrix {

bool saveWholeFile(const QString& path, std::string_view bytes, QString* error) {
    QSaveFile file(path);
    bool written = file.open(QIODevice::WriteOnly) &&
                   file.write(bytes.data(), static_cast<qint64>(bytes.size())) ==
                       static_cast<qint64>(bytes.size());
    // QSaveFile::commit() renames even when its buffered data did not all reach the disk (a
    // full disk, a size limit), so the buffer is flushed and checked first.
    written = written && file.flush();
    if (!written)
        file.cancelWriting();
    const QString reason = file.errorString();
    if (file.commit() && written)
        return true;
    if (error != nullptr)
        *error = reason;
    return false;
}

} // namespace padrix
