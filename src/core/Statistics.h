#pragma once

#include "numbers/NumberText.h"
#include "numbers/Value.h"

#include <optional>
#include <string>
#include <vector>

namespace padrix {

/// What the grand total shows: the running total, or one of the statistics.
enum TotalModes { TotalNumbers = 0, TotalAverage = 1, TotalMean = 2, TotalMode = 3 };

/// The order of tape values: numbers by value, a never-written value as 0, any number before
/// any text, texts by character codes. Returns <0, 0 or >0.
int compareValues(const Value& a, const Value& b);

/// Sorts the values ascending, keeps only those greater than 0 at the front, fills the rest
/// with the number 0, and returns the index of the last value kept (-1 when none is).
int Selectionsort(std::vector<Value>& values);

/// The order of the Sort command: every number ascending, negative ones included, then the
/// texts (function lines) as compareValues orders them, and last the zeros and never-written
/// values, all as the number 0. Equal values keep their order.
void sortTapeValues(std::vector<Value>& values);

/// The sum and count of the Average, carried from value to value: texts, never-written lines,
/// zeros and values beyond the decimal range take no part, nor does one that would take the
/// sum beyond it.
struct AverageSum {
    Decimal sum;
    long long count = 0;

    void add(const Value& v);
    /// "Average : " and the mean; only when count > 0.
    std::string text(const NumberLocale& locale) const;
};

/// The statistics text of `mode` (TotalAverage, TotalMean or TotalMode) over the number values
/// of the tape, "Average : 2.5" and the like; nothing when it cannot be formed. The sorted
/// working copy of the Mean and the Mode is left in `sorted` when one is given.
std::optional<std::string> statisticText(const std::vector<Value>& values, int mode,
                                         const NumberLocale& locale,
                                         std::vector<Value>* sorted = nullptr);

} // namespace padrix
