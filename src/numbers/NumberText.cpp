#include "numbers/NumberText.h"

#include "numbers/CalcFailure.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <utility>
#include <vector>

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

/// The locale-aware number syntax shared by the decimal and double conversions. Where
/// `ungrouped` is given, it gets the text without the group separators that were read.
bool scanLocaleNumber(std::string_view text, const NumberLocale& locale, ScannedNumber& out,
                      std::string* ungrouped = nullptr) {
    const std::string_view whole = text;
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
    std::vector<std::pair<std::size_t, std::size_t>> groups; // offset and width in `text`
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
            if (ungrouped != nullptr)
                groups.emplace_back(i, group.size());
            i += group.size();
        } else if (!seenPoint && !out.digits.empty() && blankGroups && c == ' ') {
            if (ungrouped != nullptr)
                groups.emplace_back(i, 1);
            ++i;
        } else {
            break;
        }
    }
    if (out.digits.empty() || !scanExponent(text, i, out.exponent))
        return false;
    if (ungrouped != nullptr) {
        std::size_t from = 0;
        ungrouped->clear();
        for (const auto& [at, width] : groups) {
            const std::size_t start = static_cast<std::size_t>(text.data() - whole.data()) + at;
            ungrouped->append(whole.substr(from, start - from));
            from = start + width;
        }
        ungrouped->append(whole.substr(from));
    }
    return true;
}

/// The kinds of separator that a file's number may hold.
enum class Separator { Dot, Comma, LocalePoint, GroupOnly };

/// A separator in a file's number: its kind and the figures before it.
struct SeparatorMark {
    Separator kind;
    std::size_t figuresBefore;
};

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

std::optional<std::string> fileNumberText(std::string_view text, const NumberLocale& locale) {
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    std::string_view sign;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        sign = text.substr(0, 1);
        text.remove_prefix(1);
    }
    const std::string_view point = locale.decimalSeparator;
    const std::string_view group = locale.groupSeparator;
    const bool localePoint = !point.empty() && point != "." && point != ",";
    const bool groupOnly = !group.empty() && group != "." && group != "," && group != point;
    const bool blankGroups = isSpaceLike(group);

    std::string figures;
    std::vector<SeparatorMark> marks;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (isDigit(c)) {
            figures.push_back(c);
            ++i;
            continue;
        }
        Separator kind = Separator::GroupOnly;
        std::size_t width = 1;
        if (c == '.') {
            kind = Separator::Dot;
        } else if (c == ',') {
            kind = Separator::Comma;
        } else if (localePoint && hasAt(text, i, point)) {
            kind = Separator::LocalePoint;
            width = point.size();
        } else if (groupOnly && hasAt(text, i, group)) {
            kind = Separator::GroupOnly;
            width = group.size();
        } else if (blankGroups && c == ' ') {
            kind = Separator::GroupOnly;
        } else {
            break;
        }
        marks.push_back({kind, figures.size()});
        i += width;
    }
    long long exponent = 0;
    if (figures.empty() || !scanExponent(text, i, exponent))
        return std::nullopt;

    // The point: the last separator that can be one, where its kind occurs only there.
    std::ptrdiff_t pointAt = -1;
    for (auto k = static_cast<std::ptrdiff_t>(marks.size()) - 1; k >= 0; --k) {
        if (marks[static_cast<std::size_t>(k)].kind != Separator::GroupOnly) {
            pointAt = k;
            break;
        }
    }
    if (pointAt >= 0) {
        const Separator kind = marks[static_cast<std::size_t>(pointAt)].kind;
        if (std::count_if(marks.begin(), marks.end(),
                          [kind](const SeparatorMark& m) { return m.kind == kind; }) > 1)
            pointAt = -1; // it repeats: it groups
    }
    // Every other separator groups: it follows a figure and three figures follow it, up to
    // the next separator or the end of the whole figures.
    for (std::size_t k = 0; k < marks.size(); ++k) {
        if (static_cast<std::ptrdiff_t>(k) == pointAt)
            continue;
        if (pointAt >= 0 && static_cast<std::ptrdiff_t>(k) > pointAt)
            return std::nullopt; // no grouping after the point
        const std::size_t before = marks[k].figuresBefore;
        const std::size_t next = k + 1 < marks.size() ? marks[k + 1].figuresBefore : figures.size();
        const std::size_t previous = k > 0 ? marks[k - 1].figuresBefore : 0;
        if (before == previous || next - before != 3)
            return std::nullopt;
    }
    std::string plain(sign);
    if (pointAt >= 0) {
        const std::size_t split = marks[static_cast<std::size_t>(pointAt)].figuresBefore;
        plain.append(figures, 0, split);
        plain.push_back('.');
        plain.append(figures, split, std::string::npos);
    } else {
        plain += figures;
    }
    plain.append(text.substr(i));
    return plain;
}

std::optional<std::string> fileNumberInLocale(std::string_view text, const NumberLocale& locale) {
    auto plain = fileNumberText(text, locale);
    if (!plain)
        return std::nullopt;
    // The text stays where the locale reads it as the file does and without grouping, so
    // that saving it (which leaves the grouping out) gives the same text again.
    ScannedNumber asLocale;
    ScannedNumber asFile;
    std::string ungrouped;
    if (scanLocaleNumber(text, locale, asLocale, &ungrouped) && ungrouped == text &&
        scanLocaleNumber(*plain, NumberLocale::plain(), asFile) &&
        asLocale.negative == asFile.negative && asLocale.digits == asFile.digits &&
        asLocale.exponent == asFile.exponent)
        return std::string(text);
    // The blanks around the number stay where they were.
    const std::size_t lead = std::min(text.find_first_not_of(" \t"), text.size());
    const std::size_t trail =
        text.size() - 1 - std::min(text.find_last_not_of(" \t"), text.size() - 1);
    return std::string(text.substr(0, lead)) + withSeparator(std::move(*plain), locale) +
           std::string(text.substr(text.size() - trail));
}

std::optional<std::string> ungroupedText(std::string_view text, const NumberLocale& locale) {
    ScannedNumber n;
    std::string ungrouped;
    if (!scanLocaleNumber(text, locale, n, &ungrouped))
        return std::nullopt;
    return ungrouped;
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
