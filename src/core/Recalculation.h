#pragma once

#include "core/Colors.h"
#include "core/FunctionButtons.h"
#include "core/Statistics.h"
#include "core/Tape.h"
#include "numbers/NumberText.h"

#include <string>
#include <vector>

namespace padrix {

/// Text colours of the grand total, as platform colour values 0x00BBGGRR.
constexpr int TotalColor = Color::Black;
constexpr int NegativeTotalColor = Color::DarkRed;

/// Everything besides the tape that the recalculation reads.
struct RecalcSettings {
    int DecimalsChoice = VariableDecimals; ///< 0..6 fixed places, 25 general text
    int TotalMode = TotalNumbers;          ///< one of TotalModes
    const FunctionButtons* buttons = &defaultFunctionButtons();
    NumberLocale locale;
};

/// The grand total's text and text colour.
struct GrandTotal {
    std::string text;
    int color = TotalColor;
    /// True when the text is no number and no statistics text: an error word, or the
    /// previous text kept because a statistic could not be formed.
    bool failed = false;
    bool operator==(const GrandTotal&) const = default;
};

/// Walks the whole tape and gives the grand total: the running total in the display format,
/// "Overflow", a function name followed by "Error", or a statistics text. A statistic that
/// cannot be formed keeps `previousText`; both of those last cases are `failed`. In the Mean and
/// Mode modes the sorted, compacted copy of the values is left in `SortedValues` when one is given.
GrandTotal MailCalc(const Tape& tape, const RecalcSettings& settings,
                    const std::string& previousText = {},
                    std::vector<Value>* SortedValues = nullptr);

/// The colour of a grand total's text: dark red when it starts with "-".
int totalColorFor(const std::string& text);

} // namespace padrix
