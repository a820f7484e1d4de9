// The recalculation of any tape with any button formulas. The input's first byte picks the
// display format, the total mode and the locale; then each line "#caption=formula" defines the
// next of the five user buttons, and every other line is a tape line: its first byte the
// operator, the rest a number where it reads as one ("~" before it: a double), else a text.
#include "FuzzCheck.h"

#include "core/CalcFile.h"
#include "core/Tape.h"

#include <cstdint>

using namespace padrix;

namespace {

Value valueOf(std::string_view text, const NumberLocale& locale) {
    if (text.empty())
        return Value();
    if (text.front() == '~')
        return Value(leadingNumber(text.substr(1)));
    try {
        return textToDecimal(text, locale);
    } catch (const CalcError&) {
        return Value(text);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    RecalcSettings settings = fuzz::settingsFrom(data[0]);
    FunctionButtons buttons = defaultFunctionButtons();
    settings.buttons = &buttons;
    std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    Tape tape;
    int userButton = 18;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        const std::string_view line = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view{} : rest.substr(end + 1);
        if (line.starts_with('#') && userButton < FunctionButtonCount) {
            const std::size_t eq = line.find('=');
            buttons[userButton].caption = std::string(line.substr(1, eq - 1));
            buttons[userButton].formula =
                eq == std::string_view::npos ? std::string() : std::string(line.substr(eq + 1));
            ++userButton;
            continue;
        }
        tape.append(line.empty() ? NoOperator : line.front(),
                    line.empty() ? Value() : valueOf(line.substr(1), settings.locale));
    }
    const std::string previous = "previous";
    const GrandTotal total = MailCalc(tape, settings, previous);
    fuzz::checkTotal(total, settings, previous);
    fuzz::check(MailCalc(tape, settings, previous) == total, "the same tape gives the same total",
                total.text);
    return 0;
}
