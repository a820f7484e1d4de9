#include "numbers/NumberText.h"

#include "numbers/CalcFailure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace padrix {

namespace {

/// A number read from text: value = digits * 10^exponent.
struct ScannedNumber {
    bool negative = false;
    std::string digits; // '0'..'9' only, at least one
    long long exponent = 0;
};

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool hasAt(std::string_view text, std::size_t i, std::string_view what) {
    return !what.empty() && text.substr(i, what.size()) == what;
}

/// Separators that people type as a plain blank.
bool isSpaceLike(std::string_view separator) {
    return separator == " " || separator == "\u00A0" || separator == "\u202F";
}

/// Reads an optional exponent ("E+20", "e-5") starting at i; it must end the text.
bool scanExponent(std::string_view text, std::size_t i, long long& exponent) {
    if (i == text.size())
        return true;
    if (text[i] != 'E' && text[i] != 'e')
        return false;
    ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        return false;
    long long e = 0;
    for (; i < text.size(); ++i) {
        if (!isDigit(text[i]))
            return false;
        e = std::min<long long>(e * 10 + (text[i] - '0'), 1000000000LL);
    }
    exponent += negative ? -e : e;
    return true;
}

/// The locale-aware number syntax shared by the decimal and double conversions.
bool scanLocaleNumber(std::string_view text, const NumberLocale& locale, ScannedNumber& out) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        out.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const std::string_view point = locale.decimalSeparator;
    const std::string_view group =
        locale.groupSeparator == point ? std::string_view{} : locale.groupSeparator;
    const bool blankGroups = isSpaceLike(group);
    bool seenPoint = false;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (isDigit(c)) {
            out.digits.push_back(c);
            if (seenPoint)
                --out.exponent;
            ++i;
        } else if (!seenPoint && hasAt(text, i, point)) {
            seenPoint = true;
            i += point.size();
        } else if (!seenPoint && !out.digits.empty() && hasAt(text, i, group)) {
            i += group.size();
        } else if (!seenPoint && !out.digits.empty() && blankGroups && c == ' ') {
            ++i;
        } else {
            break;
        }
    }
    return !out.digits.empty() && scanExponent(text, i, out.exponent);
}

int clampExponent(long long e) {
    return static_cast<int>(std::clamp<long long>(e, -100000, 100000));
}

double digitsToDouble(const ScannedNumber& n) {
    // The value decides, not the count of written figures: leading zeros are no figures.
    const std::size_t first = n.digits.find_first_not_of('0');
    if (first == std::string::npos)
        return 0.0;
    std::string text = n.digits.substr(first);
    const long long figures = static_cast<long long>(text.size());
    text += 'e';
    text += std::to_string(n.exponent);
    double value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec == std::errc::result_out_of_range) {
        if (figures + n.exponent <= 0)
            return n.negative ? -0.0 : 0.0; // below the smallest double: underflow to zero
        throw CalcError(CalcFailure::Overflow);
    }
    return n.negative ? -value : value;
}

std::string withSeparator(std::string text, const NumberLocale& locale) {
    const auto dot = text.find('.');
    if (dot != std::string::npos && locale.decimalSeparator != ".")
        text.replace(dot, 1, locale.decimalSeparator);
    return text;
}

} // namespace

Decimal textToDecimal(std::string_view text, const NumberLocale& locale) {
    ScannedNumber n;
    if (!scanLocaleNumber(text, locale, n))
        throw CalcError(CalcFailure::TypeMismatch);
    return Decimal::fromDigits(n.negative, n.digits, clampExponent(n.exponent));
}

double textToDouble(std::string_view text, const NumberLocale& locale) {
    ScannedNumber n;
    if (!scanLocaleNumber(text, locale, n))
        throw CalcError(CalcFailure::TypeMismatch);
    return digitsToDouble(n);
}

double leadingNumber(std::string_view text) {
    std::string compact; // the text without blanks, as far as a number can reach
    compact.reserve(std::min<std::size_t>(text.size(), 64));
    for (char c : text) {
        if (c == ' ' || c == '\t' || c == '\n' || c == '\r')
            continue;
        compact.push_back(c);
    }
    ScannedNumber n;
    std::size_t i = 0;
    if (i < compact.size() && (compact[i] == '+' || compact[i] == '-'))
        n.negative = compact[i++] == '-';
    bool seenPoint = false;
    for (; i < compact.size(); ++i) {
        const char c = compact[i];
        if (isDigit(c)) {
            n.digits.push_back(c);
            if (seenPoint)
                --n.exponent;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (n.digits.empty())
        return 0.0;
    // An exponent counts only when figures follow it.
    if (i < compact.size() &&
        (compact[i] == 'E' || compact[i] == 'e' || compact[i] == 'D' || compact[i] == 'd')) {
        std::size_t j = i + 1;
        bool negative = false;
        if (j < compact.size() && (compact[j] == '+' || compact[j] == '-'))
            negative = compact[j++] == '-';
        long long e = 0;
        bool any = false;
        for (; j < compact.size() && isDigit(compact[j]); ++j) {
            e = std::min<long long>(e * 10 + (compact[j] - '0'), 1000000000LL);
            any = true;
        }
        if (any)
            n.exponent += negative ? -e : e;
    }
    try {
        return digitsToDouble(n);
    } catch (const CalcError&) {
        // Too large for a double: the parse never fails, it saturates.
        return n.negative ? -HUGE_VAL : HUGE_VAL;
    }
}

std::string generalText(const Decimal& value, const NumberLocale& locale) {
    return withSeparator(value.toString(), locale);
}

std::string generalText(double value, const NumberLocale& locale) {
    if (value == 0.0)
        return "0";
    if (std::isnan(value))
        return "NaN";
    if (std::isinf(value))
        return value < 0 ? "-Infinity" : "Infinity";
    char buf[40];
    const auto written =
        std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, 15);
    std::string text(buf, written.ptr);
    const auto e = text.find('e');
    if (e != std::string::npos)
        text[e] = 'E'; // 1E+20, 1E-05
    return withSeparator(std::move(text), locale);
}

std::string displayText(const Decimal& value, int decimalsChoice, const NumberLocale& locale) {
    if (decimalsChoice < 0 || decimalsChoice > 6)
        return generalText(value, locale);
    const int places = decimalsChoice;
    const Decimal rounded = value.roundHalfAwayFromZero(places);
    std::string plain = (rounded.isNegative() ? -rounded : rounded).toString();
    // plain is "123" or "123.45" (trailing zeros dropped); split and pad to `places`.
    const auto dot = plain.find('.');
    std::string whole = plain.substr(0, dot);
    std::string fraction = dot == std::string::npos ? std::string{} : plain.substr(dot + 1);
    fraction.resize(static_cast<std::size_t>(places), '0');

    std::string out;
    out.reserve(whole.size() * 2 + fraction.size() + 4);
    if (rounded.isNegative())
        out.push_back('-');
    if (whole == "0" && places > 0) {
        // No leading zero below 1: .50, -.25
    } else {
        const std::size_t n = whole.size();
        for (std::size_t i = 0; i < n; ++i) {
            if (i > 0 && (n - i) % 3 == 0)
                out += locale.groupSeparator;
            out.push_back(whole[i]);
        }
    }
    if (places > 0) {
        out += locale.decimalSeparator;
        out += fraction;
    }
    return out;
}

} // namespace padrix
