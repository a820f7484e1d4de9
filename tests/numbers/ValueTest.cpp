#include "numbers/Value.h"

#include <gtest/gtest.h>

#include <cmath>

namespace padrix {
namespace {

TEST(Value, KindsAndGeneralText) {
    const auto en = NumberLocale::english();
    const auto de = NumberLocale::german();
    const Value never;
    EXPECT_TRUE(never.isEmpty());
    EXPECT_EQ(never.text(en), "");

    const Value number = Decimal::parse("-1234.50");
    EXPECT_TRUE(number.isDecimal() && number.isNumber());
    EXPECT_EQ(number.text(en), "-1234.5");
    EXPECT_EQ(number.text(de), "-1234,5");

    const Value pi = 4 * std::atan(1.0);
    EXPECT_TRUE(pi.isDouble() && pi.isNumber());
    EXPECT_EQ(pi.text(en), "3.14159265358979");
    EXPECT_EQ(Value(1e20).text(de), "1E+20");

    const Value line = "Sin(30)";
    EXPECT_TRUE(line.isText() && !line.isNumber());
    EXPECT_EQ(line.text(de), "Sin(30)");
    EXPECT_EQ(Value(std::string()).text(en), "");
    EXPECT_FALSE(Value(std::string()).isEmpty()); // an empty text was written

    EXPECT_EQ(Value(Decimal(2)), Value(Decimal::parse("2.00")));
    EXPECT_NE(Value(Decimal(2)), Value(2.0));
}

} // namespace
} // namespace padrix
