#pragma once

#include "core/SafeSave.h"
#include "core/Tape.h"
#include "numbers/NumberText.h"

#include <QString>

class QIODevice;

#include <optional>
#include <string>
#include <string_view>

namespace padrix {

/// The first line of every calculation file.
constexpr std::string_view CalcFileHeader = "Padrix Calculator 6";

/// A calculation file larger than this is refused rather than read into memory.
constexpr qint64 MaxCalcFileBytes = qint64(1) << 30;

/// The file's text: the header, then per line the operator and the value's text, each line
/// ended by CR LF. Numbers use the locale's decimal separator and never group or exponent
/// (but for a double beyond the decimal range); the number in a line form is written without
/// grouping too, so that every number reads back the same in any locale.
std::string formatCalcText(const Tape& tape, const NumberLocale& locale);

/// Reads a calculation file's text. Each line after the header gives one tape line: its first
/// character the operator, the rest a number (read by fileNumberText, so alike in every
/// locale; one beyond the decimal range keeps its text), a line form such as Sin(30) or 10%
/// (its number given the locale's separator), or nothing. The first line is skipped unless it
/// is itself a tape line, which means that the header is missing. A file without lines after
/// its header, or of more than `maxLines` lines, and any other text, is an error, described
/// in `error`, and gives nothing.
std::optional<Tape> parseCalcText(std::string_view text, const NumberLocale& locale,
                                  std::string* error = nullptr,
                                  std::size_t maxLines = MaxTapeLines);

/// Writes the tape to `path` in one step: the previous file stays intact if anything fails,
/// and `error` and `failure` say why.
bool saveCalcFile(const QString& path, const Tape& tape, const NumberLocale& locale,
                  std::string* error = nullptr, SaveFailure* failure = nullptr);

/// A name without its extension: everything before the last ".", wherever that stands (also
/// inside a folder name); a name without "." as it is.
QString StripExtension(const QString& name);

/// Reads a calculation file from a device (a file, a pipe, standard input) named `name` in
/// messages; at most MaxCalcFileBytes are read, whatever the device says its size is.
std::optional<Tape> loadCalcStream(QIODevice& device, const std::string& name,
                                   const NumberLocale& locale, std::string* error = nullptr,
                                   qint64 maxBytes = MaxCalcFileBytes,
                                   std::size_t maxLines = MaxTapeLines);

/// Reads the calculation file at `path`.
std::optional<Tape> loadCalcFile(const QString& path, const NumberLocale& locale,
                                 std::string* error = nullptr);

} // namespace padrix
