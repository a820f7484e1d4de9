#pragma once

#include "core/Tape.h"
#include "numbers/NumberText.h"
#include "numbers/Value.h"

#include <string>
#include <string_view>

// One line of a calculation file: its value read from the file's text and written to it.
namespace padrix {

/// The locale's decimal separator where it is one byte, else '.'.
char onePoint(const NumberLocale& locale);

/// True for a line that is a tape line: an operator, then a number or a line form of the
/// plain shapes (Int, Fix, 10%, Name(argument)). A file whose first line is one has lost its
/// header.
bool isTapeLine(std::string_view line, const NumberLocale& locale);

/// Appends a line's value as the file holds it: a number in the locale's separator without
/// grouping (a double beyond the decimal range with every figure that tells it apart), a line
/// form with its number ungrouped, so that it reads the same in every locale.
void appendLineValue(std::string& out, const Value& value, const NumberLocale& locale);

enum class LineRead { Taken, LoneReturn, Unreadable };

/// Appends the tape line that one line of a file (without its LF) gives. A number beyond the
/// decimal range keeps its text, as a row keeps what was typed. A line that holds a CR of its
/// own (a file whose lines end at CR alone) gives LoneReturn and nothing, so that the caller
/// reads the text again with those line ends; checked only where it costs nothing.
LineRead takeLine(std::string_view line, const NumberLocale& locale, Tape& tape);

/// Reads the line at `p` where it has the everyday shape, an operator and a plain number of
/// at most 19 figures ("+1234.56", "-7", "x0,5") ending at LF or CR LF, straight from the
/// text, and moves `p` past it; false, with `p` and the tape as they were, for any other line.
/// What it reads is what takeLine reads. `point`: onePoint of the locale.
bool takePlainLine(const char*& p, const char* end, char point, Tape& tape);

} // namespace padrix
