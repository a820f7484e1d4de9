// Shared by the fuzz targets: a broken invariant stops the run with a message, as a crash
// would, so that libFuzzer keeps the input that broke it.
#pragma once

#include "core/Recalculation.h"
#include "numbers/CalcFailure.h"
#include "numbers/NumberText.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace padrix::fuzz {

[[noreturn]] inline void broken(const char* what, std::string_view detail = {}) {
    std::fprintf(stderr, "invariant broken: %s\n%.*s\n", what, static_cast<int>(detail.size()),
                 detail.data());
    std::abort();
}

inline void check(bool ok, const char* what, std::string_view detail = {}) {
    if (!ok)
        broken(what, detail);
}

/// True when `text` is what the display format gives for some number: a decimal read back
/// gives the same text, and so does a double beyond the decimal range in its general text.
inline bool isDisplayText(const std::string& text, int decimalsChoice, const NumberLocale& locale) {
    try {
        return displayText(textToDecimal(text, locale), decimalsChoice, locale) == text;
    } catch (const CalcError&) {
        try {
            return generalText(textToDouble(text, locale), locale) == text;
        } catch (const CalcError&) {
            return false;
        }
    }
}

/// The grand total is a number in the display format, "Overflow", an error word naming the
/// failing line, or a statistics text; its colour follows its sign, and `failed` says which.
inline void checkTotal(const GrandTotal& total, const RecalcSettings& settings,
                       const std::string& previousText) {
    const std::string& t = total.text;
    check(total.color == totalColorFor(t), "the total's colour follows its sign", t);
    if (settings.TotalMode != TotalNumbers) {
        const bool statistic =
            t.starts_with("Average : ") || t.starts_with("Mean : ") || t.starts_with("Mode : ");
        check(total.failed ? t == previousText : statistic, "a statistics text", t);
        return;
    }
    if (total.failed) {
        check(t == "Overflow" || t.ends_with("Error"), "an error word", t);
        return;
    }
    check(isDisplayText(t, settings.DecimalsChoice, settings.locale),
          "a number in the display format", t);
}

/// The locale, display format and total mode picked by one byte of the input.
inline RecalcSettings settingsFrom(unsigned char byte) {
    RecalcSettings settings;
    settings.DecimalsChoice = byte % 8 == 7 ? VariableDecimals : byte % 8;
    settings.TotalMode = (byte >> 3) % 4;
    settings.locale = (byte & 0x20) != 0 ? NumberLocale::german() : NumberLocale::english();
    return settings;
}

} // namespace padrix::fuzz
