#include "core/ClipboardText.h"

#include <gtest/gtest.h>

#include <random>

namespace padrix {
namespace {

const NumberLocale en = NumberLocale::english();

TEST(ClipboardText, CopyWritesEveryValueOneALine) {
    Tape tape;
    tape.append('+', Decimal(5));
    tape.append('-', Decimal::parse("-2.5"));
    tape.append('x', Value("Sin(30)"));
    tape.append('+', Decimal::parse("1234567.5"));
    tape.append('+', Value());
    tape.append(NoOperator, Value());
    EXPECT_EQ(copyText(tape, en), "5\r\n-2.5\r\nSin(30)\r\n1234567.5\r\n\r\n");
    EXPECT_EQ(copyText(tape, NumberLocale::german()), "5\r\n-2,5\r\nSin(30)\r\n1234567,5\r\n\r\n");
    EXPECT_EQ(copyText(Tape{}, en), "");
}

TEST(ClipboardText, PasteReadsColumnsAndLedgers) {
    struct Case {
        const char* name;
        std::string text;
        std::string ops;
        std::vector<Value> values;
    };
    const Case cases[] = {
        {"a spreadsheet column: first field, grouping, a text line",
         "10\tx\r\n2,500.50\r\nabc",
         "+++",
         {Decimal(10), Decimal::parse("2500.5"), Decimal(0)}},
        {"a ledger export: the fourth field, - without a first field",
         "a\tb\tc\t12.5\r\n\tb\tc\t2.5\r\nDE",
         "+-",
         {12.5, 2.5}},
        {"a ledger line short of four fields, and an empty one, which keeps its \"+\"",
         "a\tb\r\n\r\n\t\t\t7\r\nDE",
         "++-",
         {Value(), Value(), 7.0}},
        {"LF alone, a line break at the end",
         "1\n-2\n3.5\n",
         "+++",
         {Decimal(1), Decimal(-2), Decimal::parse("3.5")}},
        {"CR alone", "1\r2", "++", {Decimal(1), Decimal(2)}},
        {"an empty line in between keeps an empty value",
         "1\r\n\r\n2",
         "+++",
         {Decimal(1), Value(), Decimal(2)}},
        {"a plain number after text is read as far as it goes",
         "12abc\r\n  7.5 kg",
         "++",
         {Decimal(12), Decimal::parse("7.5")}},
        {"a ledger with CR alone and a line break after DE",
         "a\tb\tc\t1\r\tb\tc\t2\rDE\r\n",
         "+-",
         {1.0, 2.0}},
        {"DE not on the last line is a plain line", "DE\n5\n", "++", {Decimal(0), Decimal(5)}},
        {"numbers beyond double precision keep their text",
         "1E+400\r\n-1e999 kg\r\n5",
         "+++",
         {Value("1E+400"), Value("-1e999 kg"), Decimal(5)}},
        {"nothing", "", "", {}},
        {"a lone DE", "DE", "", {}},
    };
    for (const Case& c : cases) {
        const Tape tape = pasteTape(c.text, en);
        EXPECT_EQ(std::string(tape.TapeOperators().begin(), tape.TapeOperators().end()), c.ops)
            << c.name;
        EXPECT_EQ(tape.TapeValues(), c.values) << c.name;
    }
    // In a German locale "." groups and "," is the decimal point.
    // A number beyond the decimal range in the locale's own writing, as Copy writes it.
    EXPECT_EQ(pasteTape("9,5E+30\r\n-1.000,5E+28", NumberLocale::german()).TapeValues(),
              (std::vector<Value>{9.5e30, -1.0005e31}));
    EXPECT_EQ(pasteTape("2.500,50", NumberLocale::german()).value(0),
              Value(Decimal::parse("2500.5")));
}

TEST(ClipboardText, CopyThenPasteRestoresTheNumbers) {
    std::mt19937 random(11);
    std::uniform_int_distribution<std::int64_t> cents(-99999999, 99999999);
    Tape tape;
    for (int i = 0; i < 500; ++i)
        tape.append('+', Decimal::fromParts(static_cast<std::uint64_t>(std::llabs(cents(random))),
                                            0, i % 4, i % 3 == 0));
    for (const NumberLocale& locale : {en, NumberLocale::german()}) {
        const Tape pasted = pasteTape(copyText(tape, locale), locale);
        EXPECT_EQ(pasted.TapeValues(), tape.TapeValues());
    }
}

} // namespace
} // namespace padrix
