#pragma once

#include "numbers/Decimal.h"

#include <optional>
#include <string>
#include <string_view>

namespace padrix {

/// The user's two number separators, as UTF-8 texts of one character each.
struct NumberLocale {
    std::string decimalSeparator = ".";
    std::string groupSeparator = ",";

    static NumberLocale english() { return {".", ","}; }
    static NumberLocale german() { return {",", "."}; }
    /// '.' as the point and no grouping: the plain figures of texts made by the program.
    static NumberLocale plain() { return {".", ""}; }
    bool operator==(const NumberLocale&) const = default;
};

/// Display formats of the Decimals menu: 0..6 fixed places, or the general text.
constexpr int VariableDecimals = 25;

/// Locale-aware text to decimal: blanks around, a leading sign, group separators in the
/// integer part, one decimal separator and an optional exponent ("1E+20"). Throws
/// CalcError(TypeMismatch) for any other text and CalcError(Overflow) beyond the range.
Decimal textToDecimal(std::string_view text, const NumberLocale& locale);

/// The same rules, in double precision. Throws as textToDecimal.
double textToDouble(std::string_view text, const NumberLocale& locale);

/// The longest leading number of the text with '.' as the point (blanks anywhere are skipped,
/// a leading sign and an exponent are read); 0 when the text does not start with a number.
/// Never fails.
double leadingNumber(std::string_view text);

/// A number as a calculation file holds it, read the same in every locale. '.' and ',' (and
/// the locale's own decimal separator) mark the point where one occurs once, or where it is
/// the last of two different ones and occurs once; one that repeats, or stands before the
/// other kind, groups digits, and must then be followed by exactly three figures. The locale's
/// group separator, where it is neither, only groups. Blanks around, a leading sign and an
/// exponent ("1,5E+30") are read as textToDecimal reads them.
/// Gives the number's plain text (its sign, figures with '.' as the point, the exponent as
/// written), which NumberLocale::plain() reads; nothing when the text is no number.
std::optional<std::string> fileNumberText(std::string_view text, const NumberLocale& locale);

/// The text of a file's number as `locale` should hold it: the text itself where the locale
/// reads it as the file's rule does (fileNumberText) and finds no grouping in it, else the
/// plain text with the locale's separator. Nothing when the text is no number by the file's
/// rule.
std::optional<std::string> fileNumberInLocale(std::string_view text, const NumberLocale& locale);

/// A number as `locale` reads it, with its group separators left out ("1,234.50" becomes
/// "1234.50"); nothing when the locale reads no number there.
std::optional<std::string> ungroupedText(std::string_view text, const NumberLocale& locale);

/// General text of a decimal: every significant figure, no exponent, the locale's separator.
std::string generalText(const Decimal& value, const NumberLocale& locale);

/// General text of a double: up to 15 significant figures, exponent form ("1E+20", "1E-05")
/// outside 1E-05 .. 1E+15, the locale's separator.
std::string generalText(double value, const NumberLocale& locale);

/// The display format: `decimalsChoice` 0..6 gives exactly that many places (halves away
/// from zero), grouping and no zero before the separator below 1; any other choice gives the
/// general text.
std::string displayText(const Decimal& value, int decimalsChoice, const NumberLocale& locale);

} // namespace padrix
