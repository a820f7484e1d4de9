#include "platform/SystemLocale.h"
#include "platform/Display.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace padrix {
namespace {

TEST(SystemLocale, SeparatorsFollowLcAllThenLcNumericThenLang) {
    const NumberLocale german = NumberLocale::german();
    const NumberLocale english = NumberLocale::english();
    EXPECT_EQ(detectNumberLocale({"", "", "de_DE.UTF-8"}), german);
    EXPECT_EQ(detectNumberLocale({"", "de_DE.UTF-8", "en_US.UTF-8"}), german);
    EXPECT_EQ(detectNumberLocale({"en_US.UTF-8", "de_DE.UTF-8", "de_DE.UTF-8"}), english);
    EXPECT_EQ(detectNumberLocale({"de_DE@euro", "", ""}), german);
    EXPECT_EQ(detectNumberLocale({"C", "", "de_DE.UTF-8"}), english);
    EXPECT_EQ(detectNumberLocale({"", "POSIX", ""}), english);
    EXPECT_EQ(detectNumberLocale({"", "", "fr_FR.UTF-8"}).decimalSeparator, ",");
    EXPECT_EQ(detectNumberLocale({"", "", "de_CH.UTF-8"}).decimalSeparator, ".");
    EXPECT_EQ(numberLocaleFor(QLocale(QLocale::German, QLocale::Germany)), german);
    // Locales that write 1000 without grouping still have a group separator, never a figure.
    EXPECT_EQ(detectNumberLocale({"", "", "es_ES.UTF-8"}), german);
    EXPECT_EQ(detectNumberLocale({"", "", "pl_PL.UTF-8"}).decimalSeparator, ",");
    EXPECT_NE(detectNumberLocale({"", "", "pl_PL.UTF-8"}).groupSeparator, "0");
}

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
