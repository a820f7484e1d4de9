#include "core/ClipboardText.h"

#include "numbers/CalcFailure.h"

#include <vector>

namespace padrix {

namespace {

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
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

/// The leading plain number of a text as a decimal, 0 when it starts with none.
Value plainNumber(std::string_view text) {
    try {
        return Decimal::fromDouble(leadingNumber(text));
    } catch (const CalcError&) {
        return leadingNumber(text); // beyond the decimal range: keep the double
    }
}

Value plainField(std::string_view text, const NumberLocale& locale) {
    std::string plain(text);
    if (!locale.groupSeparator.empty())
        for (std::size_t at; (at = plain.find(locale.groupSeparator)) != std::string::npos;)
            plain.erase(at, locale.groupSeparator.size());
    try {
        return textToDecimal(plain, locale);
    } catch (const CalcError&) {
        return plainNumber(text); // a text, or a number beyond the range, reads as far as it can
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
    const std::vector<std::string_view> lines = splitLines(text);
    Tape tape;
    const bool ledger = !lines.empty() && lines.back() == "DE";
    const std::size_t count = ledger ? lines.size() - 1 : lines.size();
    tape.reserve(static_cast<int>(count));
    for (std::size_t i = 0; i < count; ++i) {
        std::string_view f;
        if (!ledger) {
            tape.append('+', field(lines[i], 0, f) ? plainField(f, locale) : Value());
            continue;
        }
        if (!field(lines[i], 0, f)) {
            tape.append(NoOperator, Value()); // an empty line has no fields
            continue;
        }
        const char op = f.empty() ? '-' : '+';
        tape.append(op, field(lines[i], 3, f) ? Value(leadingNumber(f)) : Value());
    }
    return tape;
}

} // namespace padrix
