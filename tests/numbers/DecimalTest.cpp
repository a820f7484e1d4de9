#include "TestData.h"

#include "numbers/CalcFailure.h"
#include "numbers/Decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <map>

namespace padrix {
namespace {

/// The outcome of an operation as the vector files write it: the general text, or the
/// failure's word.
std::string outcome(const std::function<Decimal()>& op) {
    try {
        return op().toString();
    } catch (const CalcError& e) {
        if (e.kind() == CalcFailure::Overflow)
            return "OVERFLOW";
        if (e.kind() == CalcFailure::DivisionByZero)
            return "DIVZERO";
        return std::string("failure: ") + e.what();
    }
}

TEST(Decimal, ArithmeticMatchesIndependentVectors) {
    const auto rows = test::readTable("decimal_ops.tsv");
    ASSERT_GT(rows.size(), 3000u);
    std::map<std::string, int> checked;
    for (const auto& row : rows) {
        ASSERT_EQ(row.fields.size(), 4u) << "line " << row.line;
        const std::string& op = row.fields[0];
        const Decimal a = Decimal::parse(row.fields[1]);
        const Decimal b = Decimal::parse(row.fields[2]);
        std::function<Decimal()> f;
        if (op == "add")
            f = [&] { return a + b; };
        else if (op == "sub")
            f = [&] { return a - b; };
        else if (op == "mul")
            f = [&] { return a * b; };
        else if (op == "div")
            f = [&] { return a / b; };
        ASSERT_TRUE(f) << "unknown op on line " << row.line;
        EXPECT_EQ(outcome(f), row.fields[3])
            << "line " << row.line << ": " << row.fields[1] << ' ' << op << ' ' << row.fields[2];
        ++checked[op];
    }
    EXPECT_EQ(checked.size(), 4u);
}

TEST(Decimal, RoundingMatchesIndependentVectors) {
    const auto rows = test::readTable("decimal_round.tsv");
    ASSERT_GT(rows.size(), 500u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.fields.size(), 4u) << "line " << row.line;
        const std::string& op = row.fields[0];
        const Decimal a = Decimal::parse(row.fields[1]);
        Decimal result;
        if (op == "round_even")
            result = a.roundHalfEven(std::stoi(row.fields[2]));
        else if (op == "floor")
            result = a.floor();
        else if (op == "truncate")
            result = a.truncate();
        else
            FAIL() << "unknown op on line " << row.line;
        EXPECT_EQ(result.toString(), row.fields[3])
            << "line " << row.line << ": " << op << ' ' << row.fields[1] << ' ' << row.fields[2];
    }
}

TEST(Decimal, HalvesRoundToEvenOrAwayFromZeroByRule) {
    struct Row {
        const char* value;
        int places;
        const char* even;
        const char* away;
    };
    const Row rows[] = {
        {"2.5", 0, "2", "3"},         {"3.5", 0, "4", "4"},         {"-2.5", 0, "-2", "-3"},
        {"0.125", 2, "0.12", "0.13"}, {"0.135", 2, "0.14", "0.14"}, {"-0.125", 2, "-0.12", "-0.13"},
        {"2.51", 0, "3", "3"},        {"2.4999", 0, "2", "2"},      {"1.005", 2, "1", "1.01"},
        {"7.5", 5, "7.5", "7.5"},     {"0.5", 0, "0", "1"},         {"-0.5", 0, "0", "-1"},
    };
    for (const auto& r : rows) {
        const Decimal d = Decimal::parse(r.value);
        EXPECT_EQ(d.roundHalfEven(r.places).toString(), r.even) << r.value << " @" << r.places;
        EXPECT_EQ(d.roundHalfAwayFromZero(r.places).toString(), r.away)
            << r.value << " @" << r.places;
    }
    // Results that must be rounded to fit take halves to even as well.
    EXPECT_EQ((Decimal::parse("0.00000000000000000000000000025") + Decimal(0)).toString(),
              "0.0000000000000000000000000002");
    EXPECT_EQ((Decimal::parse("0.00000000000000000000000000035") + Decimal(0)).toString(),
              "0.0000000000000000000000000004");
    EXPECT_EQ((Decimal::parse("7922816251426433759354395033.5") + Decimal(0)).toString(),
              "7922816251426433759354395033.5");
    EXPECT_EQ((Decimal::parse("79228162514264337593543950334") + Decimal::parse("0.5")).toString(),
              "79228162514264337593543950334");
}

TEST(Decimal, RangeLimitsAndFailures) {
    const Decimal max = Decimal::parse("79228162514264337593543950335");
    EXPECT_EQ(max.toString(), "79228162514264337593543950335");
    EXPECT_EQ((-max).toString(), "-79228162514264337593543950335");
    EXPECT_THROW(Decimal::parse("79228162514264337593543950336"), CalcError);
    // Overflow and division by zero in arithmetic are the vectors' OVERFLOW and DIVZERO rows.
    // The smallest step is 1E-28; anything finer rounds.
    EXPECT_EQ(Decimal::parse("0.0000000000000000000000000001").toString(),
              "0.0000000000000000000000000001");
    EXPECT_EQ(Decimal::parse("1E-29").toString(), "0");
    EXPECT_EQ(Decimal::parse("6E-29").toString(), "0.0000000000000000000000000001");
    EXPECT_EQ(Decimal::parse("1E+20").toString(), "100000000000000000000");
    EXPECT_EQ(Decimal::parse(" -1.50 ").toString(), "-1.5");
    for (const char* bad : {"", "-", ".", "1.2.3", "1e", "1x", "--1", "E5", "1,5"})
        EXPECT_THROW(Decimal::parse(bad), CalcError) << '"' << bad << '"';
}

TEST(Decimal, ComparisonIgnoresScaleAndZeroSign) {
    EXPECT_EQ(Decimal::parse("1.50"), Decimal::parse("1.5"));
    EXPECT_EQ(Decimal::parse("-0.000"), Decimal(0));
    EXPECT_LT(Decimal::parse("-2"), Decimal::parse("-1.999"));
    EXPECT_LT(Decimal::parse("0.1"), Decimal::parse("0.10000000000000000000000001"));
    EXPECT_GT(Decimal::parse("79228162514264337593543950335"), Decimal::parse("7.9E+27"));
    EXPECT_EQ((Decimal(5) - Decimal(5)).toString(), "0");
    EXPECT_FALSE((Decimal(5) - Decimal(5)).isNegative());
}

TEST(Decimal, DoubleConversionKeepsFifteenFigures) {
    EXPECT_EQ(Decimal::fromDouble(4 * std::atan(1.0)).toString(), "3.14159265358979");
    EXPECT_EQ(Decimal::fromDouble(0.1).toString(), "0.1");
    EXPECT_EQ(Decimal::fromDouble(-2.0 / 3.0).toString(), "-0.666666666666667");
    EXPECT_EQ(Decimal::fromDouble(1e20).toString(), "100000000000000000000");
    EXPECT_EQ(Decimal::fromDouble(123456789012345678.0).toString(), "123456789012346000");
    EXPECT_EQ(Decimal::fromDouble(1e-30).toString(), "0");
    EXPECT_THROW(Decimal::fromDouble(1e30), CalcError);
    EXPECT_THROW(Decimal::fromDouble(std::nan("")), CalcError);
    EXPECT_DOUBLE_EQ(Decimal::parse("3.14159265358979").toDouble(), 3.14159265358979);
    EXPECT_EQ(Decimal::parse("0.1").toDouble(), 0.1);
    EXPECT_EQ(Decimal::parse("-79228162514264337593543950335").toDouble(), -7.922816251426434e28);
    EXPECT_EQ(Decimal::parse("0.3333333333333333333333333333").toDouble(), 1.0 / 3.0);
}

TEST(Decimal, DivisionGivesTwentyNineFiguresOrTwentyEight) {
    // 29 figures where they fit in 96 bits (as the vectors' 8 / 3), 28 where they do not.
    EXPECT_EQ((Decimal(80) / Decimal(9)).toString(), "8.888888888888888888888888889");
    EXPECT_EQ((Decimal(1) / Decimal(3) * Decimal(3)).toString(), "0.9999999999999999999999999999");
}

} // namespace
} // namespace padrix
