#include "core/ClipboardText.h"

#include "numbers/CalcFailure.h"

#include <cmath>

namespace padrix {

namespace {

/// Reads a text line by line; lines end at CR LF, LF or CR alone.
class LineReader {
public:
    explicit LineReader(std::string_view text) : m_rest(text) {}

    bool next(std::string_view& line) {
        if (m_rest.empty())
            return false; // a line break at the very end adds no line
        const std::size_t end = m_rest.find_first_of("\r\n");
        line = m_rest.substr(0, end);
        if (end == std::string_view::npos) {
            m_rest = {};
            return true;
        }
        const bool crlf = m_rest[end] == '\r' && end + 1 < m_rest.size() && m_rest[end + 1] == '\n';
        m_rest.remove_prefix(end + (crlf ? 2 : 1));
        return true;
    }

    bool atEnd() const { return m_rest.empty(); }

private:
    std::string_view m_rest;
};

/// The last line of a text, as LineReader would give it last.
std::string_view lastLine(std::string_view text) {
    if (text.ends_with("\r\n"))
        text.remove_suffix(2);
    else if (!text.empty() && (text.back() == '\r' || text.back() == '\n'))
        text.remove_suffix(1);
    const std::size_t end = text.find_last_of("\r\n");
    return end == std::string_view::npos ? text : text.substr(end + 1);
}

/// Field `index` of a TAB-separated line; false when the line has no such field.
bool field(std::string_view line, int index, std::string_view& out) {
    if (line.empty())
        return false; // an empty line has no fields at all
    for (int i = 0; i < index; ++i) {
        const std::size_t tab = line.find('\t');
        if (tab == std::string_view::npos)
            return false;
        line.remove_prefix(tab + 1);
    }
    out = line.substr(0, line.find('\t'));
    return true;
}

/// A number read from `text`; one beyond even double precision keeps the text, so that the
/// line shows what was pasted and the total reads it as an overflow.
Value finiteOrText(double number, std::string_view text) {
    return std::isfinite(number) ? Value(number) : Value(text);
}

/// The leading plain number of a text as a decimal, 0 when it starts with none.
Value plainNumber(std::string_view text) {
    const double number = leadingNumber(text);
    try {
        return Decimal::fromDouble(number);
    } catch (const CalcError&) {
        return finiteOrText(number, text); // beyond the decimal range: keep the double
    }
}

Value plainField(std::string_view text, const NumberLocale& locale) {
    std::string plain(text);
    if (!locale.groupSeparator.empty())
        for (std::size_t at; (at = plain.find(locale.groupSeparator)) != std::string::npos;)
            plain.erase(at, locale.groupSeparator.size());
    try {
        return textToDecimal(plain, locale);
    } catch (const CalcError& e) {
        // A number beyond the decimal range, written as the locale writes it (as Copy does),
        // is kept in double precision.
        if (e.kind() == CalcFailure::Overflow) {
            try {
                if (const double number = textToDouble(plain, locale); std::isfinite(number))
                    return number;
            } catch (const CalcError&) {
                // beyond double precision too: read as far as it goes below
            }
        }
        return plainNumber(text); // a text reads as far as it can
    }
}

} // namespace

std::string copyText(const Tape& tape, const NumberLocale& locale) {
    std::string out;
    out.reserve(static_cast<std::size_t>(tape.lineCount()) * 12);
    for (int i = 0; i < tape.lineCount(); ++i) {
        if (i > 0)
            out += "\r\n";
        out += tape.value(i).text(locale);
    }
    return out;
}

Tape pasteTape(std::string_view text, const NumberLocale& locale) {
    Tape tape;
    if (text.empty())
        return tape;
    const bool ledger = lastLine(text) == "DE";
    LineReader reader(text);
    std::string_view line;
    // A text of more lines than a tape may hold pastes as many as it can.
    for (std::size_t n = 0; n < MaxTapeLines && reader.next(line); ++n) {
        std::string_view f;
        if (!ledger) {
            tape.append('+', field(line, 0, f) ? plainField(f, locale) : Value());
            continue;
        }
        if (reader.atEnd())
            break; // the "DE" line itself
        if (!field(line, 0, f)) {
            tape.append('+', Value()); // an empty line has no fields, and keeps its "+"
            continue;
        }
        const char op = f.empty() ? '-' : '+';
        tape.append(op, field(line, 3, f) ? finiteOrText(leadingNumber(f), f) : Value());
    }
    return tape;
}

} // namespace padrix
