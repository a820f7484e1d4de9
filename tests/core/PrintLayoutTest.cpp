#include "core/PrintLayout.h"

#include <gtest/gtest.h>

namespace padrix {
namespace {

/// A printer font of fixed widths: 10 units a character, 12 with emphasis.
double width(std::string_view text, bool emphasis) {
    return static_cast<double>(text.size()) * (emphasis ? 12 : 10);
}

Tape tapeOf(std::initializer_list<std::pair<char, Value>> lines) {
    Tape tape;
    for (const auto& [op, value] : lines)
        tape.append(op, value);
    return tape;
}

std::vector<std::pair<std::string, std::string>> opsAndValues(const PrintedTape& printed) {
    std::vector<std::pair<std::string, std::string>> out;
    for (const PrintLine& line : printed.lines)
        out.emplace_back(line.op, line.value);
    return out;
}

TEST(PrintLayout, EveryLineWithAValuePrintsRightAligned) {
    const auto en = NumberLocale::english();
    struct Case {
        const char* name;
        Tape tape;
        std::string total;
        int decimals;
        NumberLocale locale;
        std::vector<std::pair<std::string, std::string>> printed;
    };
    const Case cases[] = {
        {"negative lines print too, so the printout adds up",
         tapeOf({{'+', Decimal(10)}, {'+', Decimal(-4)}, {'+', Decimal(6)}}),
         "12",
         VariableDecimals,
         en,
         {{"+", "10"}, {"+", "-4"}, {"+", "6"}, {"=", "12"}}},
        {"fixed decimals, grouping, no zero before the point",
         tapeOf({{'+', Decimal::parse("0.5")}, {'+', Decimal::parse("1234.5")}}),
         "1,235.00",
         2,
         en,
         {{"+", ".50"}, {"+", "1,234.50"}, {"=", "1,235.00"}}},
        {"an empty tape prints the total line alone",
         Tape{},
         "",
         VariableDecimals,
         en,
         {{"=", ""}}},
        {"values below 1 with a decimal comma",
         tapeOf({{'+', Decimal::parse("0.5")}, {'x', Decimal(3)}}),
         "1,5",
         VariableDecimals,
         NumberLocale::german(),
         {{"+", "0,5"}, {"x", "3"}, {"=", "1,5"}}},
        {"function and percentage lines as their text; zeros and empty lines left out",
         tapeOf({{'+', Decimal(100)},
                 {'+', Value()},
                 {'-', Value("10%")},
                 {'+', Decimal(0)},
                 {'+', Value("Sin(30)")},
                 {'^', 2.0},
                 {NoOperator, Value()}}),
         "7,960.84",
         2,
         en,
         {{"+", "100.00"}, {"-", "10%"}, {"+", "Sin(30)"}, {"^", "2.00"}, {"=", "7,960.84"}}},
    };
    for (const Case& c : cases) {
        const PrintedTape printed = layoutPrint(c.tape, c.total, c.decimals, c.locale, &width);
        EXPECT_EQ(opsAndValues(printed), c.printed) << c.name;
        EXPECT_EQ(printed.valueRight, 12.0 * (3 + static_cast<double>(c.total.size()))) << c.name;
        for (const PrintLine& line : printed.lines)
            EXPECT_EQ(line.valueLeft + width(line.value, line.emphasis), printed.valueRight)
                << c.name << ": " << line.value;
        for (std::size_t i = 0; i < printed.lines.size(); ++i)
            EXPECT_EQ(printed.lines[i].emphasis, i + 1 == printed.lines.size()) << c.name;
    }
}

TEST(PrintLayout, TheValueColumnIsRoundedHalfToEven) {
    const auto half = [](std::string_view text, bool) { return text.size() * 2.5; };
    // "WWW12" is 12.5 units wide and "WWW1234" 17.5: halves go to the even neighbour.
    EXPECT_EQ(layoutPrint(Tape{}, "12", 2, NumberLocale::english(), half).valueRight, 12);
    EXPECT_EQ(layoutPrint(Tape{}, "1234", 2, NumberLocale::english(), half).valueRight, 18);
}

} // namespace
} // namespace padrix
