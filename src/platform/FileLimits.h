#pragma once

#include <QtGlobal>

namespace padrix {

/// The largest file this process may write, in bytes; -1 when there is no such limit.
qint64 fileSizeLimit();

} // namespace padrix
