#include "platform/Display.h"

#include <QtGlobal>

#include <gtest/gtest.h>

namespace padrix {
namespace {

// Whether the window can open is known before Qt starts: X needs DISPLAY, Wayland
// WAYLAND_DISPLAY, and the platforms that draw off screen need neither.
TEST(Display, AWindowNeedsADisplayUnlessThePlatformDrawsWithoutOne) {
    const struct {
        DisplayEnvironment environment;
        bool shows;
    } rows[] = {
        {{"", "", ""}, false},
        {{"", ":0", ""}, true},
        {{"", "", "wayland-0"}, true},
        {{"offscreen", "", ""}, true},
        {{"vnc:size=800x600", "", ""}, true},
        {{"xcb", "", ""}, false},
        {{"xcb", ":1", ""}, true},
        {{"wayland", ":0", ""}, false},
        {{"wayland;xcb", ":0", ""}, true},
        {{"wayland-egl;xcb", "", ""}, false},
    };
    for (const auto& r : rows) {
        const DisplayEnvironment& e = r.environment;
#if defined(Q_OS_WIN) || defined(Q_OS_MACOS)
        EXPECT_TRUE(hasDisplay(e));
#else
        EXPECT_EQ(hasDisplay(e), r.shows)
            << "QT_QPA_PLATFORM=" << e.qpaPlatform << " DISPLAY=" << e.display
            << " WAYLAND_DISPLAY=" << e.waylandDisplay;
#endif
    }
}

} // namespace
} // namespace padrix
