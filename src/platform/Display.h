#pragma once

#include <string>

namespace padrix {

/// The environment variables that tell whether a window can be shown.
struct DisplayEnvironment {
    std::string qpaPlatform;    // QT_QPA_PLATFORM: the platform Qt is told to use, if any
    std::string display;        // DISPLAY: an X server
    std::string waylandDisplay; // WAYLAND_DISPLAY: a Wayland compositor

    /// The variables of this process.
    static DisplayEnvironment fromProcess();
};

/// True when a window can be shown: on Windows and macOS always; elsewhere when the platform
/// Qt is told to use needs no display (offscreen, a frame buffer, VNC) or when the display it
/// needs (X or Wayland) is named. Asked before Qt starts, whose own message would abort.
bool hasDisplay(const DisplayEnvironment& environment);

} // namespace padrix
