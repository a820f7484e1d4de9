#pragma once

#include <QtGlobal>

namespace padrix {

/// The largest file this process may write, in bytes; -1 when there is no such limit.
qint64 fileSizeLimit();

/// Makes a write past that limit fail as a write error instead of ending the process (the
/// signal SIGXFSZ), so that the program can say so and keep what it holds. Nothing where the
/// system has no such signal.
void ignoreFileSizeSignal();

} // namespace padrix
