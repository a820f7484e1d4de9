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

TEST(Value, TextsOfEveryLengthSurviveCopiesAndMoves) {
    // 14 bytes fit in place; longer texts live on the heap and must be copied, not shared.
    for (const std::size_t length : {0U, 1U, 13U, 14U, 15U, 16U, 200U}) {
        const std::string text = std::string(length, 'x');
        Value original(text);
        Value copy(original);
        Value assigned = Decimal(7);
        assigned = original;
        EXPECT_EQ(copy.textValue(), text) << length;
        EXPECT_EQ(assigned.textValue(), text) << length;
        original = Value("short");
        EXPECT_EQ(copy.textValue(), text) << "copy outlives the original's change, " << length;

        Value moved(std::move(copy));
        EXPECT_EQ(moved.textValue(), text) << length;
        EXPECT_TRUE(copy.isEmpty()) << length; // NOLINT(bugprone-use-after-move)
        Value target("a text that is longer than fourteen bytes");
        target = std::move(moved);
        EXPECT_EQ(target.textValue(), text) << length;
        const Value& self = target;
        target = self; // assigning a value to itself keeps its text
        EXPECT_EQ(target.textValue(), text) << length;
    }
}

TEST(Value, ExpressionTextsAreFunctionsCallsAndPercentages) {
    struct Case {
        Value value;
        bool expression;
    };
    const Case cases[] = {
        {Value("Sin(30)"), true},   {Value("10%"), true},
        {Value("Svol(2)"), true},   {Value("A formula button with a long name(12345)"), true},
        {Value("Int"), false},      {Value("12"), false},
        {Value(Decimal(5)), false}, {Value(0.5), false},
        {Value(), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.value.isExpressionText(), c.expression)
            << c.value.text(NumberLocale::english());
}

} // namespace
} // namespace padrix
