#include "core/Recalculation.h"

#include <gtest/gtest.h>

#include <random>

#include <cmath>

namespace padrix {
namespace {

struct Line {
    char op;
    Value value;
};

Tape tapeOf(std::initializer_list<Line> lines) {
    Tape tape;
    for (const Line& l : lines)
        tape.append(l.op, l.value);
    return tape;
}

Decimal dec(const char* text) {
    return Decimal::parse(text);
}

struct Case {
    const char* name;
    Tape tape;
    const char* total;
};

void expectTotals(const std::vector<Case>& cases, const RecalcSettings& settings = {}) {
    for (const Case& c : cases)
        EXPECT_EQ(MailCalc(c.tape, settings).text, c.total) << c.name;
}

TEST(Recalculation, OperatorsFoldFromZero) {
    expectTotals({
        {"never written", tapeOf({{'+', Value()}}), "0"},
        {"plus first", tapeOf({{'+', dec("5")}}), "5"},
        {"times first", tapeOf({{'x', dec("5")}}), "0"},
        {"minus first", tapeOf({{'-', dec("5")}}), "-5"},
        {"all operators",
         tapeOf({{'+', dec("100")}, {'-', dec("30")}, {'x', dec("3")}, {'/', dec("7")}}), "30"},
        {"power", tapeOf({{'+', dec("30")}, {'^', dec("2")}}), "900"},
        {"power then decimal", tapeOf({{'+', dec("2")}, {'^', dec("0.5")}, {'x', dec("2")}}),
         "2.8284271247462"},
        {"exact decimals", tapeOf({{'+', dec("0.1")}, {'+', dec("0.2")}}), "0.3"},
        {"emptied line multiplies by zero", tapeOf({{'+', dec("7")}, {'x', dec("0")}}), "0"},
        {"division by an emptied line", tapeOf({{'+', dec("7")}, {'/', dec("0")}}), "Error"},
        {"no operator contributes nothing",
         tapeOf({{'+', dec("7")}, {NoOperator, dec("5")}, {'q', dec("5")}}), "7"},
        {"empty text contributes nothing", tapeOf({{'+', dec("7")}, {'x', std::string()}}), "7"},
        {"number as text", tapeOf({{'+', "12"}, {'+', " 1,000.5 "}}), "1012.5"},
        {"pi key double", tapeOf({{'+', 4 * std::atan(1.0)}}), "3.14159265358979"},
        {"overflow", tapeOf({{'+', dec("79228162514264337593543950335")}, {'+', dec("1")}}),
         "Overflow"},
        {"power beyond decimals", tapeOf({{'+', dec("10")}, {'^', dec("40")}}), "1E+40"},
        {"power beyond doubles", tapeOf({{'+', dec("10")}, {'^', dec("400")}}), "Overflow"},
        {"a failed line leaves the total",
         tapeOf({{'+', dec("5")}, {'/', dec("0")}, {'+', dec("1")}}), "Error"},
    });
}

TEST(Recalculation, PlainRunsGiveWhatLineByLineAdditionGives) {
    // Sums near 2^64 and past it, scales 0 to 28, signs, zeros of every scale, lines that
    // count for nothing: the folded total is the decimal additions' exactly.
    std::mt19937_64 random(3);
    const auto pick = [&](std::uint64_t n) { return random() % n; };
    for (int round = 0; round < 400; ++round) {
        Tape tape;
        Decimal expected;
        for (int i = static_cast<int>(pick(40)); i > 0; --i) {
            const int scale = pick(4) == 0 ? static_cast<int>(pick(29)) : static_cast<int>(pick(3));
            const std::uint64_t low = pick(5) == 0 ? random() : pick(6) == 0 ? 0 : pick(1000000);
            const Decimal d = Decimal::fromParts(low, pick(8) == 0 ? 1 : 0, scale, pick(2) == 0);
            const int kind = static_cast<int>(pick(10));
            if (kind == 0) {
                tape.append('+', Value());
            } else if (kind == 1) {
                tape.append(NoOperator, d);
            } else {
                const char op = kind % 2 == 0 ? '+' : '-';
                tape.append(op, d);
                expected = op == '+' ? expected + d : expected - d;
            }
        }
        for (int places : {VariableDecimals, 2}) {
            RecalcSettings settings;
            settings.DecimalsChoice = places;
            EXPECT_EQ(MailCalc(tape, settings).text,
                      displayText(expected, places, NumberLocale::english()))
                << "round " << round;
        }
    }
}

TEST(Recalculation, DisplayFormatColourAndLocale) {
    RecalcSettings two;
    two.DecimalsChoice = 2;
    EXPECT_EQ(MailCalc(tapeOf({{'+', Value()}}), two).text, ".00");
    const GrandTotal negative = MailCalc(tapeOf({{'-', dec("0.5")}}), two);
    EXPECT_EQ(negative, (GrandTotal{"-.50", NegativeTotalColor, false}));
    const GrandTotal overflow =
        MailCalc(tapeOf({{'-', dec("79228162514264337593543950335")}, {'-', dec("1")}}), two);
    EXPECT_EQ(overflow, (GrandTotal{"Overflow", TotalColor, true}));

    RecalcSettings german;
    german.locale = NumberLocale::german();
    german.DecimalsChoice = 2;
    EXPECT_EQ(MailCalc(tapeOf({{'+', "1.234,5"}, {'+', dec("1")}}), german).text, "1.235,50");
    german.DecimalsChoice = VariableDecimals;
    EXPECT_EQ(MailCalc(tapeOf({{'+', "1,5"}, {'+', "Sin(0,5)"}}), german).text,
              "1,979425538604203");
}

TEST(Recalculation, PercentagesTakeAShareOfTheTotal) {
    auto withPercent = [](char op) { return tapeOf({{'+', dec("200")}, {op, "10%"}}); };
    expectTotals({
        {"plus", withPercent('+'), "220"},
        {"minus", withPercent('-'), "180"},
        {"times", withPercent('x'), "20"},
        {"divide", withPercent('/'), "10"},
        {"power", withPercent('^'), "1.048576E+46"},
        {"of zero", tapeOf({{'+', Value()}, {'/', "10%"}}), "Error"},
        {"not a number", tapeOf({{'+', dec("5")}, {'+', "x%"}}), "Error"},
    });
    RecalcSettings two;
    two.DecimalsChoice = 2;
    EXPECT_EQ(MailCalc(tapeOf({{'+', dec("100")}, {'x', dec("2")}, {'-', "10%"}}), two).text,
              "180.00");
}

// A modifier changes the running total; it is never read as an operand and never makes the
// walk skip the next line.
TEST(Recalculation, TotalModifiers) {
    expectTotals({
        {"int", tapeOf({{'+', dec("-2.5")}, {'+', "Int(7)"}}), "-3"},
        {"fix", tapeOf({{'+', dec("-2.5")}, {'+', "Fix(7)"}}), "-2"},
        {"roun even down", tapeOf({{'+', dec("2.5")}, {'+', "Roun(0)"}}), "2"},
        {"roun even up", tapeOf({{'+', dec("3.5")}, {'+', "Roun(0)"}}), "4"},
        {"roun places", tapeOf({{'+', dec("3.14159")}, {'+', "Roun(2)"}}), "3.14"},
        {"roun negative places", tapeOf({{'+', dec("3.14159")}, {'+', "Roun(-1)"}}), "Roun Error"},
        {"two modifiers", tapeOf({{'+', dec("7.25")}, {'+', "Roun(1)"}, {'+', "Fix(0)"}}), "7"},
        {"line after modifier",
         tapeOf({{'+', dec("2.5")}, {'+', "Int(3)"}, {'+', dec("10")}, {'+', dec("1")}}), "13"},
        {"modifier without operator", tapeOf({{'+', dec("2.5")}, {NoOperator, "Int"}}), "2"},
        {"int of a double total", tapeOf({{'+', dec("2")}, {'^', dec("0.5")}, {'+', "Int"}}), "1"},
    });
}

TEST(Recalculation, FunctionLines) {
    expectTotals({
        {"sin", tapeOf({{'+', "Sin(30)"}}), "-0.988031624092862"},
        {"cos", tapeOf({{'+', "Cos(0)"}}), "1"},
        {"tan", tapeOf({{'+', "Tan(1)"}}), "1.5574077246549"},
        {"log is natural", tapeOf({{'+', "Log(1)"}, {'+', "Log(10)"}}), "2.30258509299405"},
        {"exp", tapeOf({{'+', "Exp(1)"}}), "2.71828182845905"},
        {"sqr is a root", tapeOf({{'+', "Sqr(16)"}}), "4"},
        {"log of zero", tapeOf({{'+', "Log(0)"}}), "Log Error"},
        {"log of negative", tapeOf({{'+', "Log(-1)"}}), "Log Error"},
        {"sqr of negative", tapeOf({{'+', "Sqr(-4)"}}), "Sqr Error"},
        {"exp too large", tapeOf({{'+', "Exp(1000)"}}), "Overflow"},
        {"cot of zero", tapeOf({{'+', "Cot(0)"}}), "Cot Error"},
        {"csc of zero", tapeOf({{'+', "Csc(0)"}}), "Csc Error"},
        {"sec", tapeOf({{'+', "Sec(0)"}}), "1"},
        {"asin of one", tapeOf({{'+', "Asin(1)"}}), "1.5707963267949"},
        {"asin of minus one", tapeOf({{'+', "Asin(-1)"}}), "-1.5707963267949"},
        {"acos of one", tapeOf({{'+', dec("5")}, {'+', "Acos(1)"}}), "5"},
        {"acos of minus one", tapeOf({{'+', "Acos(-1)"}}), "3.14159265358979"},
        {"acos inside", tapeOf({{'+', "Acos(0.5)"}}), "1.0471975511966"},
        {"asin beyond one", tapeOf({{'+', "Asin(2)"}}), "Asin Error"},
        {"acos beyond one", tapeOf({{'+', "Acos(-1.5)"}}), "Acos Error"},
        {"atan", tapeOf({{'+', "Atan(1)"}}), "0.785398163397448"},
        {"asin under minus", tapeOf({{'+', dec("2")}, {'-', "Asin(1)"}}), "0.4292036732051"},
        {"function argument not a number", tapeOf({{'+', "Sin(abc)"}}), "Sin Error"},
        {"under times", tapeOf({{'+', dec("2")}, {'x', "Cos(0)"}}), "2"},
    });
}

TEST(Recalculation, ErrorWordNamesTheLastFailingLine) {
    expectTotals({
        {"asin then division by zero",
         tapeOf({{'+', "Asin(0.5)"}, {'+', dec("1")}, {'/', dec("0")}}), "Error"},
        {"division by zero then asin failure",
         tapeOf({{'+', dec("1")}, {'/', dec("0")}, {'+', "Asin(2)"}}), "Asin Error"},
        {"failing formula then plain failure", tapeOf({{'+', "Svol(1.2.3)"}, {'+', "abc"}}),
         "Error"},
        {"overflow then type mismatch",
         tapeOf({{'+', dec("79228162514264337593543950335")}, {'+', dec("1")}, {'+', "abc"}}),
         "Error"},
        {"type mismatch then overflow",
         tapeOf({{'+', "abc"}, {'+', dec("79228162514264337593543950335")}, {'+', dec("1")}}),
         "Overflow"},
    });
}

TEST(Recalculation, FormulaButtons) {
    FunctionButtons buttons = defaultFunctionButtons();
    buttons[18] = {"Tx", "T-X^2", ""};
    buttons[19] = {"Bad", "5-", ""};
    buttons[20] = {"Half", "T/X", ""};
    buttons[21] = {"Huge", std::string(65535, 'X'), ""};
    RecalcSettings settings;
    settings.buttons = &buttons;
    expectTotals(
        {
            {"sphere", tapeOf({{'+', "Svol(2)"}}), "33.5103216382911"},
            {"kilo", tapeOf({{'+', "Kilo(22)"}}), "10"},
            {"pounds", tapeOf({{'+', "Ibs(10)"}}), "22"},
            {"negative argument", tapeOf({{'+', "Svol(-1)"}}), "-4.18879020478639"},
            {"empty argument", tapeOf({{'+', dec("3")}, {'+', "Svol()"}}), "3"},
            {"total and negative argument", tapeOf({{'+', dec("10")}, {'+', "Tx(-3)"}}), "11"},
            {"negative total", tapeOf({{'-', dec("4")}, {'+', "Tx(1)"}}), "-9"},
            {"total in exponent form",
             tapeOf({{'+', dec("10")}, {'^', dec("20")}, {'+', "Half(1)"}}),
             "200000000000000000000"},
            {"evaluator error text", tapeOf({{'+', dec("1")}, {'+', "Bad(2)"}}), "Bad Error"},
            {"empty formula", tapeOf({{'+', "Fun(2)"}}), "Error"},
            {"under divide", tapeOf({{'+', dec("44")}, {'/', "Ibs(10)"}}), "2"},
            {"substitution past the limit",
             tapeOf({{'+', dec("1")}, {'+', "Huge(" + std::string(100, '1') + ")"}}), "Huge Error"},
            {"totals in a long argument",
             tapeOf({{'+', dec("1")}, {'+', "Svol(" + std::string(200000, 'T') + ")"}}),
             "Svol Error"},
        },
        settings);
    // With the defaults, a call of an unknown name meets a custom button with no caption.
    EXPECT_EQ(MailCalc(tapeOf({{'+', "Foo(3)"}}), RecalcSettings{}).text, "Error");
}

TEST(Recalculation, StatisticsOverNumberValues) {
    auto total = [](const Tape& tape, int mode, const std::string& previous = "prev") {
        RecalcSettings s;
        s.TotalMode = mode;
        return MailCalc(tape, s, previous).text;
    };
    const Tape mixed =
        tapeOf({{'+', dec("4")}, {'+', dec("0")}, {'-', dec("-2")}, {'+', dec("6")}});
    EXPECT_EQ(total(mixed, TotalAverage), "Average : 2.6666666666666666666666666667");
    EXPECT_EQ(total(mixed, TotalMean), "Mean : 5");
    EXPECT_EQ(total(mixed, TotalMode), "Mode : 4");

    const Tape pairs = tapeOf(
        {{'+', dec("3")}, {'+', dec("3")}, {'+', dec("5")}, {'+', dec("5")}, {'+', dec("1")}});
    EXPECT_EQ(total(pairs, TotalMode), "Mode : 3");
    EXPECT_EQ(total(pairs, TotalMean), "Mean : 3");

    const Tape nothingPositive = tapeOf({{'+', dec("-1")}, {'+', dec("0")}, {'+', Value()}});
    EXPECT_EQ(total(nothingPositive, TotalMode), "Mode : ");
    EXPECT_EQ(total(nothingPositive, TotalMean, "kept"), "kept");
    EXPECT_EQ(total(tapeOf({{'+', dec("0")}}), TotalAverage, "kept"), "kept");
    EXPECT_EQ(total(nothingPositive, TotalAverage), "Average : -1");

    // Function and percentage lines are no numbers of the tape.
    const Tape withText =
        tapeOf({{'+', dec("4")}, {'+', "Sin(1)"}, {'+', dec("6")}, {'+', "Zz(9)"}});
    EXPECT_EQ(total(withText, TotalAverage), "Average : 5");
    EXPECT_EQ(total(withText, TotalMean), "Mean : 5");
    EXPECT_EQ(total(withText, TotalMode), "Mode : 4");

    RecalcSettings s;
    s.TotalMode = TotalMean;
    std::vector<Value> sorted;
    MailCalc(tapeOf({{'+', dec("6")}, {'+', dec("-1")}, {'+', dec("4")}}), s, "", &sorted);
    EXPECT_EQ(sorted, (std::vector<Value>{dec("4"), dec("6"), dec("0")}));
    s.TotalMode = TotalAverage;
    EXPECT_EQ(MailCalc(tapeOf({{'+', dec("-3")}}), s).color, TotalColor);

    // A kept previous text is no statistic; "Mode : " with nothing to count is one.
    EXPECT_FALSE(MailCalc(mixed, s, "prev").failed);
    EXPECT_TRUE(MailCalc(tapeOf({{'+', dec("0")}}), s, "prev").failed);
    s.TotalMode = TotalMean;
    EXPECT_TRUE(MailCalc(nothingPositive, s, "prev").failed);
    s.TotalMode = TotalMode;
    EXPECT_FALSE(MailCalc(nothingPositive, s, "prev").failed);
}

} // namespace
} // namespace padrix
