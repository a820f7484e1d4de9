#pragma once

#include "core/Tape.h"
#include "numbers/NumberText.h"

#include <string>
#include <string_view>

namespace padrix {

/// The number column as the clipboard gets it: every value of the tape in its text form (no
/// grouping; a never-written line empty), joined by CR LF, none after the last.
std::string copyText(const Tape& tape, const NumberLocale& locale);

/// The tape that clipboard text pastes as. Lines end in CR LF, LF or CR; a line break at the
/// very end adds no line. When the last line is "DE" the text is a ledger export: each other
/// line is "+" with a first field and "-" without one, its amount the fourth TAB field read as
/// a plain number. Otherwise every line is added with its first TAB field: the number it
/// reads as in the locale, grouping allowed, else its leading plain number. A line without
/// the field it needs keeps an empty value; a number beyond double precision ("1E+400") keeps
/// its text. Every line of the text is kept, up to
/// MaxTapeLines.
Tape pasteTape(std::string_view text, const NumberLocale& locale);

} // namespace padrix
