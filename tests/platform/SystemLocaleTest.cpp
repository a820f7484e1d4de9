#include "platform/SystemLocale.h"

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

} // namespace
} // namespace padrix
