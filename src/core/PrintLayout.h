#pragma once

#include "core/Tape.h"
#include "numbers/NumberText.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace padrix {

/// The width of a text in the printer's font, plain or with its emphasis, in device units.
using TextWidth = std::function<double(std::string_view text, bool emphasis)>;

/// One printed line: the operator at the left margin and the value ending at the value column.
struct PrintLine {
    std::string op;
    std::string value;
    double valueLeft = 0; // where the value starts, so that it ends at the value column
    bool emphasis = false;
    bool operator==(const PrintLine&) const = default;
};

/// The printed tape: every line that holds a value (empty lines and zeros are left out),
/// numbers in the display format of `decimalsChoice`, other lines as their text, then "=" and
/// the total with emphasis. The value column's right edge is the emphasised width of "WWW"
/// and the total, rounded.
struct PrintedTape {
    double valueRight = 0;
    std::vector<PrintLine> lines;
};

PrintedTape layoutPrint(const Tape& tape, const std::string& totalText, int decimalsChoice,
                        const NumberLocale& locale, const TextWidth& width);

} // namespace padrix
