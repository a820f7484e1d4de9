#pragma once

#include "core/Recalculation.h"

#include <string>

namespace padrix::test {

/// The running total of a tape in the general text of locale `from`, with its point written
/// as `to` writes it, so that totals worked in two locales compare.
inline std::string totalIn(const Tape& tape, const NumberLocale& from, const NumberLocale& to) {
    RecalcSettings settings;
    settings.locale = from;
    std::string text = MailCalc(tape, settings).text;
    if (const auto at = text.find(from.decimalSeparator); at != std::string::npos)
        text.replace(at, from.decimalSeparator.size(), to.decimalSeparator);
    return text;
}

} // namespace padrix::test
