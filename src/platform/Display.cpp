#include "platform/Display.h"

#include "platform/Environment.h"

#include <QtGlobal>

#include <string_view>

namespace padrix {

namespace {

/// True when the platform plugin `name` (without its ":options") can start here.
bool canStart(std::string_view name, const DisplayEnvironment& environment) {
    if (name == "xcb")
        return !environment.display.empty();
    if (name.starts_with("wayland"))
        return !environment.waylandDisplay.empty();
    return !name.empty(); // offscreen, minimal, eglfs, linuxfb, vnc: no display needed
}

} // namespace

DisplayEnvironment DisplayEnvironment::fromProcess() {
    return {environmentVariable("QT_QPA_PLATFORM"), environmentVariable("DISPLAY"),
            environmentVariable("WAYLAND_DISPLAY")};
}

bool hasDisplay(const DisplayEnvironment& environment) {
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
    Q_UNUSED(environment);
    return true;
#else
    if (environment.qpaPlatform.empty())
        return !environment.display.empty() || !environment.waylandDisplay.empty();
    // "wayland;xcb" names platforms to try in turn; "vnc:size=800x600" gives options.
    std::string_view rest = environment.qpaPlatform;
    while (!rest.empty()) {
        const std::string_view choice = rest.substr(0, rest.find(';'));
        rest = choice.size() < rest.size() ? rest.substr(choice.size() + 1) : std::string_view{};
        if (canStart(choice.substr(0, choice.find(':')), environment))
            return true;
    }
    return false;
#endif
}

} // namespace padrix
