#include "platform/FileLimits.h"

#if defined(Q_OS_UNIX)
#include <csignal>
#include <sys/resource.h>
#endif

namespace padrix {

qint64 fileSizeLimit() {
#if defined(Q_OS_UNIX)
    rlimit limit{};
    if (getrlimit(RLIMIT_FSIZE, &limit) == 0 && limit.rlim_cur != RLIM_INFINITY)
        return static_cast<qint64>(limit.rlim_cur);
#endif
    return -1;
}

void ignoreFileSizeSignal() {
#if defined(Q_OS_UNIX)
    std::signal(SIGXFSZ, SIG_IGN);
#endif
}

} // namespace padrix
