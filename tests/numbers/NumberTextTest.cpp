#include "TestData.h"

#include "numbers/CalcFailure.h"
#include "numbers/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>

namespace padrix {
namespace {

/// The same text with '.' and ',' swapped: an English number written the German way.
std::string germanized(std::string text) {
    for (char& c : text)
        c = c == '.' ? ',' : (c == ',' ? '.' : c);
    return text;
}

TEST(DisplayFormat, FixedPlacesMatchIndependentVectors) {
    const auto rows = test::readTable("format_fixed.tsv");
    ASSERT_GT(rows.size(), 700u);
    for (const auto& row : rows) {
        ASSERT_EQ(row.fields.size(), 3u) << "line " << row.line;
        const Decimal value = Decimal::parse(row.fields[0]);
        const int places = std::stoi(row.fields[1]);
        EXPECT_EQ(displayText(value, places, NumberLocale::english()), row.fields[2])
            << "line " << row.line << ": " << row.fields[0] << " with " << places;
        EXPECT_EQ(displayText(value, places, NumberLocale::german()), germanized(row.fields[2]))
            << "line " << row.line << " (German)";
    }
}

TEST(DisplayFormat, VariableAndEdgeCases) {
    const auto en = NumberLocale::english();
    const auto de = NumberLocale::german();
    // Fixed places are the vectors'; variable places keep the zero and never group.
    EXPECT_EQ(displayText(Decimal::parse("0.5"), VariableDecimals, en), "0.5");
    EXPECT_EQ(displayText(Decimal::parse("0.5"), VariableDecimals, de), "0,5");
    EXPECT_EQ(displayText(Decimal::parse("-1234567.125"), VariableDecimals, en), "-1234567.125");
    EXPECT_EQ(displayText(Decimal(0), VariableDecimals, en), "0");
    // A negative that rounds to zero shows no sign.
    EXPECT_EQ(displayText(Decimal::parse("-0.001"), 2, en), ".00");
    EXPECT_EQ(displayText(Decimal::parse("-0.4"), 0, en), "0");
    EXPECT_EQ(displayText(Decimal::parse("-0.5"), 2, en), "-.50");
    // A separator of several bytes (a narrow no-break space) groups as one character.
    const NumberLocale fr{",", "\u202F"};
    EXPECT_EQ(displayText(Decimal::parse("1234567.5"), 1, fr), "1\u202F234\u202F567,5");
}

/// The general text of a converted number, or the name of the failure.
std::string converted(const std::string& text, const NumberLocale& locale) {
    try {
        return textToDecimal(text, locale).toString();
    } catch (const CalcError& e) {
        return e.kind() == CalcFailure::Overflow       ? "Overflow"
               : e.kind() == CalcFailure::TypeMismatch ? "TypeMismatch"
                                                       : e.what();
    }
}

TEST(NumberConversions, LocaleAwareTextToDecimal) {
    const auto en = NumberLocale::english();
    const auto de = NumberLocale::german();
    struct Row {
        const char* text;
        const char* english; // general text, or nullptr for a type mismatch
        const char* german;
    };
    const Row rows[] = {
        {"1234.5", "1234.5", "12345"},
        {"1,234.5", "1234.5", nullptr},
        {"1.234,5", nullptr, "1234.5"},
        {"1,5", "15", "1.5"},
        {"  -7  ", "-7", "-7"},
        {"+3", "3", "3"},
        {".5", "0.5", nullptr},
        {",5", nullptr, "0.5"},
        {"1E+20", "100000000000000000000", "100000000000000000000"},
        {"2.5e-3", "0.0025", "0.025"},
        {"1,5E2", "1500", "150"},
        {"", nullptr, nullptr},
        {"-", nullptr, nullptr},
        {"abc", nullptr, nullptr},
        {"1 2", nullptr, nullptr},
        {"12%", nullptr, nullptr},
        {"Sin(30)", nullptr, nullptr},
        {"1E", nullptr, nullptr},
        {"0.12345678901234567890123456789", "0.1234567890123456789012345679",
         "12345678901234567890123456789"},
    };
    for (const auto& r : rows) {
        for (const auto& [locale, expected, name] :
             {std::tuple{en, r.english, "en"}, std::tuple{de, r.german, "de"}}) {
            EXPECT_EQ(converted(r.text, locale), expected != nullptr ? expected : "TypeMismatch")
                << '"' << r.text << "\" in " << name;
        }
    }
    EXPECT_EQ(converted("1E+29", en), "Overflow");
    // Where the group separator is a kind of space, a typed blank groups too.
    EXPECT_EQ(textToDecimal("1 234,5", NumberLocale{",", "\u00A0"}).toString(), "1234.5");
}

TEST(NumberConversions, LocaleAwareTextToDouble) {
    const auto en = NumberLocale::english();
    const auto de = NumberLocale::german();
    EXPECT_EQ(textToDouble("0.5", en), 0.5);
    EXPECT_EQ(textToDouble("0,5", de), 0.5);
    EXPECT_EQ(textToDouble("-1,234.25", en), -1234.25);
    EXPECT_EQ(textToDouble("1E+300", en), 1e300);
    EXPECT_EQ(textToDouble("3.14159265358979", en), 3.14159265358979);
    EXPECT_EQ(textToDouble("1E-400", en), 0.0);
    EXPECT_THROW(textToDouble("1E+400", en), CalcError);
    // Leading zeros are no figures: the value decides between underflow and overflow.
    const std::string zeros(400, '0');
    EXPECT_EQ(textToDouble("0." + zeros + "1", en), 0.0);
    EXPECT_TRUE(std::signbit(textToDouble("-0." + zeros + "1", en)));
    EXPECT_EQ(textToDouble(zeros + "25", en), 25.0);
    EXPECT_EQ(textToDouble(zeros + "1E-5", en), 1e-5);
    EXPECT_EQ(leadingNumber("0." + zeros + "1"), 0.0);
    EXPECT_THROW(textToDouble(zeros + "1E+400", en), CalcError);
    EXPECT_THROW(textToDouble("Error - Sign", en), CalcError);
    EXPECT_THROW(textToDouble("", en), CalcError);
}

TEST(NumberConversions, AFileNumberReadsTheSameInEveryLocale) {
    const NumberLocale locales[] = {
        NumberLocale::english(), NumberLocale::german(), {",", "\u202F"}, {".", "\u2019"}};
    struct Row {
        const char* text;
        const char* plain; // nullptr: no number in any locale
    };
    const Row rows[] = {
        {"1.5", "1.5"},
        {"1,5", "1.5"},
        {"1,234.5", "1234.5"},
        {"1.234,5", "1234.5"},
        {"1.234.567", "1234567"},
        {"1,234,567.25", "1234567.25"},
        {"1,234", "1.234"}, // one separator is the point, whatever it is
        {"-12", "-12"},
        {"+7", "+7"},
        {" 2 ", "2"},
        {",5", ".5"},
        {"5.", "5."},
        {"1,5E+30", "1.5E+30"},
        {"79228162514264337593543950336", "79228162514264337593543950336"},
        {"1.2.3", nullptr},   // groups of one figure
        {"1,5,3", nullptr},   // likewise
        {"1.5,234", nullptr}, // a group after the point
        {"1,23,456", nullptr},
        {"1..5", nullptr},
        {"", nullptr},
        {".", nullptr},
        {"12%", nullptr},
        {"1E", nullptr},
        {"Sin(30)", nullptr},
    };
    for (const auto& r : rows) {
        for (const NumberLocale& locale : locales) {
            const auto plain = fileNumberText(r.text, locale);
            EXPECT_EQ(plain.value_or("none"), r.plain != nullptr ? r.plain : "none")
                << '"' << r.text << "\" with the point " << locale.decimalSeparator;
        }
    }
    // The locale's own separators: a point of its own, and a group separator that only groups.
    EXPECT_EQ(fileNumberText("1\u2019234.5", locales[3]).value_or("none"), "1234.5");
    EXPECT_EQ(fileNumberText("1\u202F234,5", locales[2]).value_or("none"), "1234.5");
    EXPECT_EQ(fileNumberText("1 234,5", locales[2]).value_or("none"), "1234.5");
    EXPECT_EQ(fileNumberText("1\u066B5", NumberLocale{"\u066B", "\u066C"}).value_or("none"), "1.5");
    EXPECT_FALSE(fileNumberText("1\u2019234", locales[0])); // not a separator there

    // A locale keeps a text that it reads as the file does, and gets its own point otherwise;
    // grouping is left out where the locale would read it.
    const auto inLocale = [](const char* text, const NumberLocale& locale) {
        return fileNumberInLocale(text, locale).value_or("none");
    };
    EXPECT_EQ(inLocale("1.5", locales[0]), "1.5");
    EXPECT_EQ(inLocale("1.5", locales[1]), "1,5");
    EXPECT_EQ(inLocale("1,5", locales[0]), "1.5");
    EXPECT_EQ(inLocale("1,234.5", locales[0]), "1234.5");
    EXPECT_EQ(inLocale("0.", locales[1]), "0,");         // the same value, but "." groups there
    EXPECT_EQ(inLocale(" +1.5 ", locales[1]), " +1,5 "); // blanks and sign stay
    EXPECT_EQ(inLocale("1,234.5", locales[1]), "1234,5");
    EXPECT_EQ(inLocale("1.5", locales[2]), "1,5");
    EXPECT_EQ(inLocale("1.2.3", locales[1]), "none");
    EXPECT_EQ(ungroupedText("-1,234.50", locales[0]).value_or("none"), "-1234.50");
    EXPECT_EQ(ungroupedText("1.234,5E2", locales[1]).value_or("none"), "1234,5E2");
    EXPECT_EQ(ungroupedText("1,5", locales[0]).value_or("none"), "15");
    EXPECT_EQ(ungroupedText("x", locales[0]).value_or("none"), "none");
}

TEST(NumberConversions, LeadingNumberParseNeverFails) {
    struct Row {
        const char* text;
        double value;
    };
    const Row rows[] = {
        {"2", 2},    {"  -3.5xyz", -3.5}, {"1 2 3", 123}, {"", 0},   {"abc", 0}, {"+4", 4},
        {".5", 0.5}, {"1.2.3", 1.2},      {"2E3", 2000},  {"2E", 2}, {"2)", 2},  {"-", 0},
        {"1,5", 1},  {"1e-2", 0.01},      {"7%", 7},      {"0", 0},
    };
    for (const auto& r : rows)
        EXPECT_EQ(leadingNumber(r.text), r.value) << '"' << r.text << '"';
    EXPECT_TRUE(std::isinf(leadingNumber("1E999")));
}

TEST(NumberConversions, GeneralTextOfDoubles) {
    const auto en = NumberLocale::english();
    struct Row {
        double value;
        const char* text;
    };
    const Row rows[] = {
        {4 * std::atan(1.0), "3.14159265358979"},
        {1e20, "1E+20"},
        {-1e20, "-1E+20"},
        {123456789012345.0, "123456789012345"},
        {1e15, "1E+15"},
        {1234567890123456.0, "1.23456789012346E+15"},
        {0.0001, "0.0001"},
        {0.00001, "1E-05"},
        {0.5, "0.5"},
        {2.0, "2"},
        {-0.0, "0"},
        {1.0 / 3.0, "0.333333333333333"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(generalText(r.value, en), r.text) << r.value;
    EXPECT_EQ(generalText(0.5, NumberLocale::german()), "0,5");
    EXPECT_EQ(generalText(Decimal::parse("-2.50"), NumberLocale::german()), "-2,5");
}

} // namespace
} // namespace padrix
