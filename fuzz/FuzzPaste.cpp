// Paste of any clipboard text, plain or ledger: one tape line per text line (the ledger's
// "DE" line aside), and copying the pasted tape and pasting that gives the same column (up to
// empty values at its end).
#include "FuzzCheck.h"

#include "core/ClipboardText.h"

#include <cmath>
#include <cstdint>

using namespace padrix;

namespace {

/// Lines as Paste counts them: ended by CR LF, LF or CR alone, none after a final break.
std::size_t countLines(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' || text[i] == '\n') {
            ++lines;
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        }
    }
    const bool unended = !text.empty() && text.back() != '\r' && text.back() != '\n';
    return lines + (unended ? 1 : 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const NumberLocale locale = fuzz::settingsFrom(data[0]).locale;
    const std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
    const Tape tape = pasteTape(text, locale);
    const std::size_t lines = countLines(text);
    const auto pasted = static_cast<std::size_t>(tape.lineCount());
    fuzz::check(pasted == lines || pasted + 1 == lines, "one tape line per text line");
    for (int i = 0; i < tape.lineCount(); ++i) {
        const Value& v = tape.value(i);
        fuzz::check(!v.isText() || std::isinf(leadingNumber(v.textValue())),
                    "a pasted value is a number, empty, or a number beyond double precision");
    }

    // Empty values at the end copy as line breaks at the end, which a paste reads as the end
    // of the text: those lines come back one fewer. A double's text has 15 figures, and one
    // that fits the decimal range comes back as a decimal, rounded to its 28 places: after one
    // round the column is fixed, and every number is the same to 14 figures.
    const auto withoutEndBreaks = [](std::string text) {
        while (text.ends_with("\r\n"))
            text.resize(text.size() - 2);
        return text;
    };
    const Tape round = pasteTape(copyText(tape, locale), locale);
    const std::string copied = withoutEndBreaks(copyText(round, locale));
    fuzz::check(withoutEndBreaks(copyText(pasteTape(copied, locale), locale)) == copied,
                "a copied column pastes as itself", copied);
    for (int i = 0; i < round.lineCount(); ++i) {
        const Value& before = tape.value(i);
        const Value& after = round.value(i);
        if (before.isEmpty() || before.isText()) {
            fuzz::check(after == before || (before.isEmpty() && after.isEmpty()),
                        "empty and text values come back");
            continue;
        }
        const double a = before.isDecimal() ? before.decimal().toDouble() : before.number();
        const double b = after.isDecimal() ? after.decimal().toDouble() : after.number();
        // A decimal keeps 28 places: below that a double's text reads back rounded.
        fuzz::check(std::fabs(a - b) <= 1e-14 * std::fabs(a) + 1e-28,
                    "a copied number pastes as itself", copied);
    }
    return 0;
}
