#include "core/CalcFileLines.h"

#include "core/LineForms.h"
#include "numbers/CalcFailure.h"

#include <charconv>
#include <cstdint>

namespace padrix {

namespace {

/// Reads a plain number of up to 19 figures from `p` on, the common line of a file, without
/// the general conversion: an optional "-", figures and at most one separator, which is the
/// point whichever of '.', ',' and the locale's own it is. Stops at the first other character
/// and leaves `p` there; false, with `p` as it was, where no such number starts.
bool scanPlainNumber(const char*& p, const char* end, char localePoint, Decimal& out) {
    const char* q = p;
    const bool negative = q != end && *q == '-';
    q += negative ? 1 : 0;
    std::uint64_t m = 0;
    int figures = 0;
    int scale = 0;
    bool seenSeparator = false;
    for (; q != end; ++q) {
        const char c = *q;
        if (c >= '0' && c <= '9') {
            if (++figures > 19)
                return false;
            m = m * 10 + static_cast<std::uint64_t>(c - '0');
            scale += seenSeparator ? 1 : 0;
        } else if ((c == '.' || c == ',' || c == localePoint) && !seenSeparator) {
            seenSeparator = true;
        } else {
            break;
        }
    }
    if (figures == 0)
        return false;
    out = Decimal::fromParts(m, 0, scale, negative);
    p = q;
    return true;
}

/// A text that is a plain number as a whole (see scanPlainNumber).
bool readPlainNumber(std::string_view s, char localePoint, Decimal& out) {
    const char* p = s.data();
    const char* const end = p + s.size();
    return scanPlainNumber(p, end, localePoint, out) && p == end;
}

/// The text with the number that the recalculation reads by the locale's rules (see
/// localeNumberSpan) replaced by what `rewrite` makes of it; the text as it is where there is
/// none, or where `rewrite` gives nothing.
template <class Rewrite> std::string withNumber(std::string_view text, Rewrite rewrite) {
    const auto span = localeNumberSpan(text);
    if (!span)
        return std::string(text);
    const std::string_view number = text.substr(span->first, span->second);
    const std::optional<std::string> rewritten = rewrite(number);
    if (!rewritten || *rewritten == number)
        return std::string(text);
    return std::string(text.substr(0, span->first)) + *rewritten +
           std::string(text.substr(span->first + span->second));
}

/// A line form or a number text as the locale should hold it: its number with the locale's
/// separator where the file wrote it with another.
std::string textInLocale(std::string_view text, const NumberLocale& locale) {
    return withNumber(text, [&](std::string_view n) { return fileNumberInLocale(n, locale); });
}

/// A line form or a number text as a file holds it: its number without grouping, so that it
/// reads the same in every locale.
std::string textForFile(std::string_view text, const NumberLocale& locale) {
    return withNumber(text, [&](std::string_view n) { return ungroupedText(n, locale); });
}

/// The value of a line after its operator. A number beyond the decimal range keeps its text,
/// as a row keeps what was typed, so that the total says "Overflow" and the file saves the
/// same text again.
bool readLineValue(std::string_view text, const NumberLocale& locale, Value& out) {
    if (text.empty()) {
        out = Value();
        return true;
    }
    Decimal d;
    if (readPlainNumber(text, onePoint(locale), d)) {
        out = d;
        return true;
    }
    if (const auto plain = fileNumberText(text, locale)) {
        try {
            out = textToDecimal(*plain, NumberLocale::plain());
        } catch (const CalcError& e) {
            if (e.kind() != CalcFailure::Overflow)
                return false;
            out = textInLocale(text, locale);
        }
        return true;
    }
    if (isLineForm(text)) {
        out = textInLocale(text, locale);
        return true;
    }
    return false;
}

} // namespace

char onePoint(const NumberLocale& locale) {
    return locale.decimalSeparator.size() == 1 ? locale.decimalSeparator[0] : '.';
}

bool isTapeLine(std::string_view line, const NumberLocale& locale) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.size() < 2 || !isOperator(line.front()))
        return false;
    const std::string_view rest = line.substr(1);
    if (fileNumberText(rest, locale) || rest == "Int" || rest == "Fix")
        return true;
    if (rest.back() == '%')
        return fileNumberText(rest.substr(0, rest.size() - 1), locale).has_value();
    const std::size_t open = rest.find('(');
    if (open == std::string_view::npos || open == 0 || rest.back() != ')' || rest.front() == ' ')
        return false;
    const std::string_view name = rest.substr(0, open);
    const std::string_view argument = rest.substr(open + 1, rest.size() - open - 2);
    return name.find_first_of("()%") == std::string_view::npos &&
           argument.find_first_of("()") == std::string_view::npos &&
           (argument.empty() || fileNumberText(argument, locale));
}

void appendLineValue(std::string& out, const Value& value, const NumberLocale& locale) {
    switch (value.kind()) {
    case Value::Kind::Empty:
        return;
    case Value::Kind::Decimal:
        out += generalText(value.decimal(), locale);
        return;
    case Value::Kind::Double:
        try {
            // Within the decimal range a double is written as plain figures.
            out += generalText(Decimal::fromDouble(value.number()), locale);
        } catch (const CalcError&) {
            // Beyond it, every figure that tells the double apart, so it reads back the same.
            char buf[40];
            const auto end = std::to_chars(buf, buf + sizeof buf, value.number()).ptr;
            for (const char* c = buf; c != end; ++c) {
                if (*c == '.')
                    out += locale.decimalSeparator;
                else
                    out.push_back(*c == 'e' ? 'E' : *c);
            }
        }
        return;
    case Value::Kind::Text:
        // A line break inside a text would split the line; it is written as a blank.
        for (char c : textForFile(value.textValue(), locale))
            out.push_back(c == '\r' || c == '\n' ? ' ' : c);
        return;
    }
}

LineRead takeLine(std::string_view line, const NumberLocale& locale, Tape& tape) {
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    if (line.empty()) {
        tape.append(NoOperator, Value());
        return LineRead::Taken;
    }
    const char op = line.front();
    Value value;
    const bool read =
        static_cast<unsigned char>(op) < 0x80 && readLineValue(line.substr(1), locale, value);
    if ((!read || value.isText()) && line.find('\r') != std::string_view::npos)
        return LineRead::LoneReturn;
    if (!read)
        return LineRead::Unreadable;
    tape.append(op == ' ' ? NoOperator : op, std::move(value));
    return LineRead::Taken;
}

bool takePlainLine(const char*& p, const char* end, char point, Tape& tape) {
    const char op = *p;
    const char* q = p + 1;
    Decimal d;
    if (!isOperator(op) || !scanPlainNumber(q, end, point, d))
        return false;
    if (q != end && *q == '\r')
        ++q;
    if (q == end || *q != '\n')
        return false;
    tape.append(op, d);
    p = q + 1;
    return true;
}

} // namespace padrix
