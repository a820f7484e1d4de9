#include "core/PrintLayout.h"

#include <cmath>

namespace padrix {

PrintedTape layoutPrint(const Tape& tape, const std::string& totalText, int decimalsChoice,
                        const NumberLocale& locale, const TextWidth& width) {
    PrintedTape printed;
    printed.valueRight = std::nearbyint(width("WWW" + totalText, true));
    const auto add = [&](std::string op, std::string value, bool emphasis) {
        const double left = printed.valueRight - width(value, emphasis);
        printed.lines.push_back({std::move(op), std::move(value), left, emphasis});
    };
    for (int i = 0; i < tape.lineCount(); ++i) {
        const Value& v = tape.value(i);
        if (v.isBlank())
            continue;
        const char op = tape.op(i);
        add(op == NoOperator ? std::string() : std::string(1, op),
            v.isText() ? std::string(v.textValue()) : displayText(v, decimalsChoice, locale),
            false);
    }
    add("=", totalText, true);
    return printed;
}

} // namespace padrix
