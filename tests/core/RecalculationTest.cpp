#include "core/Recalculation.h"
#include "numbers/CalcFailure.h"

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

/// A tape of lines separated by "|", each its operator (a blank for none) and then a number,
/// or else a text such as a function line; an operator alone is a line never written.
Tape lines(const std::string& text) {
    Tape tape;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = std::min(text.find('|', from), text.size());
        const std::string written = text.substr(from + 1, end - from - 1);
        Value value;
        try {
            value = written.empty() ? Value() : Value(Decimal::parse(written));
        } catch (const CalcError&) {
            value = written;
        }
        tape.append(text[from] == ' ' ? NoOperator : text[from], value);
        from = end + 1;
    }
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

const std::string Max = "79228162514264337593543950335";

TEST(Recalculation, OperatorsFoldFromZero) {
    expectTotals({
        {"never written", lines("+"), "0"},
        {"plus first", lines("+5"), "5"},
        {"times first", lines("x5"), "0"},
        {"minus first", lines("-5"), "-5"},
        {"all operators", lines("+100|-30|x3|/7"), "30"},
        {"power", lines("+30|^2"), "900"},
        {"power then decimal", lines("+2|^0.5|x2"), "2.8284271247462"},
        {"exact decimals", lines("+0.1|+0.2"), "0.3"},
        {"emptied line multiplies by zero", lines("+7|x0"), "0"},
        {"division by an emptied line", lines("+7|/0"), "Error"},
        {"no operator contributes nothing", lines("+7| 5|q5"), "7"},
        {"empty text contributes nothing", tapeOf({{'+', dec("7")}, {'x', std::string()}}), "7"},
        {"number as text", tapeOf({{'+', "12"}, {'+', " 1,000.5 "}}), "1012.5"},
        {"pi key double", tapeOf({{'+', 4 * std::atan(1.0)}}), "3.14159265358979"},
        {"overflow", lines("+" + Max + "|+1"), "Overflow"},
        {"power beyond decimals", lines("+10|^40"), "1E+40"},
        {"power beyond doubles", lines("+10|^400"), "Overflow"},
        {"a failed line leaves the total", lines("+5|/0|+1"), "Error"},
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
    EXPECT_EQ(MailCalc(lines("+"), two).text, ".00");
    EXPECT_EQ(MailCalc(lines("-0.5"), two), (GrandTotal{"-.50", NegativeTotalColor, false}));
    EXPECT_EQ(MailCalc(lines("-" + Max + "|-1"), two), (GrandTotal{"Overflow", TotalColor, true}));

    RecalcSettings german;
    german.locale = NumberLocale::german();
    german.DecimalsChoice = 2;
    EXPECT_EQ(MailCalc(lines("+1.234,5|+1"), german).text, "1.235,50");
    german.DecimalsChoice = VariableDecimals;
    EXPECT_EQ(MailCalc(lines("+1,5|+Sin(0,5)"), german).text, "1,979425538604203");
}

TEST(Recalculation, PercentagesTakeAShareOfTheTotal) {
    expectTotals({
        {"plus", lines("+200|+10%"), "220"},
        {"minus", lines("+200|-10%"), "180"},
        {"times", lines("+200|x10%"), "20"},
        {"divide", lines("+200|/10%"), "10"},
        {"power", lines("+200|^10%"), "1.048576E+46"},
        {"of zero", lines("+|/10%"), "Error"},
        {"not a number", lines("+5|+x%"), "Error"},
    });
    RecalcSettings two;
    two.DecimalsChoice = 2;
    EXPECT_EQ(MailCalc(lines("+100|x2|-10%"), two).text, "180.00");
}

// A modifier changes the running total; it is never read as an operand and never makes the
// walk skip the next line.
TEST(Recalculation, TotalModifiers) {
    expectTotals({
        {"int", lines("+-2.5|+Int(7)"), "-3"},
        {"fix", lines("+-2.5|+Fix(7)"), "-2"},
        {"roun even down", lines("+2.5|+Roun(0)"), "2"},
        {"roun even up", lines("+3.5|+Roun(0)"), "4"},
        {"roun places", lines("+3.14159|+Roun(2)"), "3.14"},
        {"roun negative places", lines("+3.14159|+Roun(-1)"), "Roun Error"},
        {"two modifiers", lines("+7.25|+Roun(1)|+Fix(0)"), "7"},
        {"line after modifier", lines("+2.5|+Int(3)|+10|+1"), "13"},
        {"modifier without operator", lines("+2.5| Int"), "2"},
        {"int of a double total", lines("+2|^0.5|+Int"), "1"},
    });
}

TEST(Recalculation, FunctionLines) {
    expectTotals({
        {"sin", lines("+Sin(30)"), "-0.988031624092862"},
        {"cos", lines("+Cos(0)"), "1"},
        {"tan", lines("+Tan(1)"), "1.5574077246549"},
        {"log is natural", lines("+Log(1)|+Log(10)"), "2.30258509299405"},
        {"exp", lines("+Exp(1)"), "2.71828182845905"},
        {"sqr is a root", lines("+Sqr(16)"), "4"},
        {"log of zero", lines("+Log(0)"), "Log Error"},
        {"log of negative", lines("+Log(-1)"), "Log Error"},
        {"sqr of negative", lines("+Sqr(-4)"), "Sqr Error"},
        {"exp too large", lines("+Exp(1000)"), "Overflow"},
        {"cot of zero", lines("+Cot(0)"), "Cot Error"},
        {"csc of zero", lines("+Csc(0)"), "Csc Error"},
        {"sec", lines("+Sec(0)"), "1"},
        {"asin of one", lines("+Asin(1)"), "1.5707963267949"},
        {"asin of minus one", lines("+Asin(-1)"), "-1.5707963267949"},
        {"acos of one", lines("+5|+Acos(1)"), "5"},
        {"acos of minus one", lines("+Acos(-1)"), "3.14159265358979"},
        {"acos inside", lines("+Acos(0.5)"), "1.0471975511966"},
        {"asin beyond one", lines("+Asin(2)"), "Asin Error"},
        {"acos beyond one", lines("+Acos(-1.5)"), "Acos Error"},
        {"atan", lines("+Atan(1)"), "0.785398163397448"},
        {"asin under minus", lines("+2|-Asin(1)"), "0.4292036732051"},
        {"function argument not a number", lines("+Sin(abc)"), "Sin Error"},
        {"under times", lines("+2|xCos(0)"), "2"},
    });
}

TEST(Recalculation, ErrorWordNamesTheLastFailingLine) {
    expectTotals({
        {"asin then division by zero", lines("+Asin(0.5)|+1|/0"), "Error"},
        {"division by zero then asin failure", lines("+1|/0|+Asin(2)"), "Asin Error"},
        {"failing formula then plain failure", lines("+Svol(1.2.3)|+abc"), "Error"},
        {"overflow then type mismatch", lines("+" + Max + "|+1|+abc"), "Error"},
        {"type mismatch then overflow", lines("+abc|+" + Max + "|+1"), "Overflow"},
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
            {"sphere", lines("+Svol(2)"), "33.5103216382911"},
            {"kilo", lines("+Kilo(22)"), "10"},
            {"pounds", lines("+Ibs(10)"), "22"},
            {"negative argument", lines("+Svol(-1)"), "-4.18879020478639"},
            {"empty argument", lines("+3|+Svol()"), "3"},
            {"total and negative argument", lines("+10|+Tx(-3)"), "11"},
            {"negative total", lines("-4|+Tx(1)"), "-9"},
            {"total in exponent form", lines("+10|^20|+Half(1)"), "200000000000000000000"},
            {"evaluator error text", lines("+1|+Bad(2)"), "Bad Error"},
            {"empty formula", lines("+Fun(2)"), "Error"},
            {"under divide", lines("+44|/Ibs(10)"), "2"},
            {"substitution past the limit", lines("+1|+Huge(" + std::string(100, '1') + ")"),
             "Huge Error"},
            {"totals in a long argument", lines("+1|+Svol(" + std::string(200000, 'T') + ")"),
             "Svol Error"},
        },
        settings);
    // With the defaults, a call of an unknown name meets a custom button with no caption.
    EXPECT_EQ(MailCalc(lines("+Foo(3)"), RecalcSettings{}).text, "Error");
}

TEST(Recalculation, StatisticsOverNumberValues) {
    auto total = [](const Tape& tape, int mode, const std::string& previous = "prev") {
        RecalcSettings s;
        s.TotalMode = mode;
        return MailCalc(tape, s, previous).text;
    };
    const Tape mixed = lines("+4|+0|--2|+6");
    EXPECT_EQ(total(mixed, TotalAverage), "Average : 2.6666666666666666666666666667");
    EXPECT_EQ(total(mixed, TotalMean), "Mean : 5");
    EXPECT_EQ(total(mixed, TotalMode), "Mode : 4");

    const Tape pairs = lines("+3|+3|+5|+5|+1");
    EXPECT_EQ(total(pairs, TotalMode), "Mode : 3");
    EXPECT_EQ(total(pairs, TotalMean), "Mean : 3");

    const Tape nothingPositive = lines("+-1|+0|+");
    EXPECT_EQ(total(nothingPositive, TotalMode), "Mode : ");
    EXPECT_EQ(total(nothingPositive, TotalMean, "kept"), "kept");
    EXPECT_EQ(total(lines("+0"), TotalAverage, "kept"), "kept");
    EXPECT_EQ(total(nothingPositive, TotalAverage), "Average : -1");

    // Function and percentage lines are no numbers of the tape.
    const Tape withText = lines("+4|+Sin(1)|+6|+Zz(9)");
    EXPECT_EQ(total(withText, TotalAverage), "Average : 5");
    EXPECT_EQ(total(withText, TotalMean), "Mean : 5");
    EXPECT_EQ(total(withText, TotalMode), "Mode : 4");

    RecalcSettings s;
    s.TotalMode = TotalMean;
    std::vector<Value> sorted;
    MailCalc(lines("+6|+-1|+4"), s, "", &sorted);
    EXPECT_EQ(sorted, (std::vector<Value>{dec("4"), dec("6"), dec("0")}));
    s.TotalMode = TotalAverage;
    EXPECT_EQ(MailCalc(lines("+-3"), s).color, TotalColor);

    // A kept previous text is no statistic; "Mode : " with nothing to count is one.
    EXPECT_FALSE(MailCalc(mixed, s, "prev").failed);
    EXPECT_TRUE(MailCalc(lines("+0"), s, "prev").failed);
    s.TotalMode = TotalMean;
    EXPECT_TRUE(MailCalc(nothingPositive, s, "prev").failed);
    s.TotalMode = TotalMode;
    EXPECT_FALSE(MailCalc(nothingPositive, s, "prev").failed);
}

} // namespace
} // namespace padrix
