#pragma once

#include "numbers/NumberText.h"

#include <string>

class QLocale;

namespace padrix {

/// The environment variables that choose the number format on Unix, in order of precedence.
struct LocaleEnvironment {
    std::string lcAll;     // LC_ALL
    std::string lcNumeric; // LC_NUMERIC
    std::string lang;      // LANG

    /// The variables of this process.
    static LocaleEnvironment fromProcess();
};

/// The decimal and group separators of a Qt locale.
NumberLocale numberLocaleFor(const QLocale& locale);

/// The separators named by the first set variable of LC_ALL, LC_NUMERIC and LANG; where none
/// is set (as on Windows), those of the system's regional settings.
NumberLocale detectNumberLocale(const LocaleEnvironment& environment);

} // namespace padrix
