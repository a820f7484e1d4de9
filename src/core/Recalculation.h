#pragma once

#include "core/Colors.h"
#include "core/FunctionButtons.h"
#include "core/Statistics.h"
#include "core/Tape.h"
#include "numbers/NumberText.h"

#include <memory>
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

/// MailCalc for a tape that changes a little at a time: the walk's state (and the Average's
/// sum and count) is kept every `interval` lines, and a change at line L is worked from the
/// last checkpoint at or before L. Gives exactly MailCalc's result. The Mean and the Mode,
/// which sort all values, are worked in full.
class RunningTotal {
public:
    explicit RunningTotal(int interval = 4096);
    ~RunningTotal();
    RunningTotal(const RunningTotal&) = delete;
    RunningTotal& operator=(const RunningTotal&) = delete;

    /// The grand total of `tape`, whose lines from `firstChanged` on may differ from the last
    /// call's (0: any line). A change of the function buttons or the locale since the last
    /// call works from line 0; the display format and the total mode may change freely.
    GrandTotal total(const Tape& tape, const RecalcSettings& settings, int firstChanged,
                     const std::string& previousText = {},
                     std::vector<Value>* SortedValues = nullptr);

private:
    struct Checkpoints;
    template <class State> int lastCheckpoint(std::vector<State>& checkpoints, int valid) const;
    int m_interval;
    std::unique_ptr<Checkpoints> m_data;
};

/// The colour of a grand total's text: dark red when it starts with "-".
int totalColorFor(const std::string& text);

} // namespace padrix
