#pragma once

#include "core/FunctionButtons.h"

#include <QString>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace padrix {

/// Entries of the two high-score tables: 0..19 the first game, 20..39 the second; entry 40 is
/// never used but kept so that indices match the tables' design.
constexpr int HiScoreEntries = 41;
constexpr int StoredHiScores = 40;

/// Everything the settings file keeps between runs.
struct Settings {
    FunctionButtons buttons = defaultFunctionButtons();
    std::array<std::optional<std::string>, HiScoreEntries> HiScoreNames{}; // nothing: never set
    std::array<std::int16_t, HiScoreEntries> HiScores{};
    /// Whether the window keeps a journal of its tape.
    bool keepJournal = true;
    bool operator==(const Settings&) const = default;
};

/// The settings as the file stores them: per function button its caption, formula and tool
/// tip as tagged texts (tag 8, 16-bit length, the bytes), then per high-score entry the name
/// (tag 8, or tag 0 while never set) and the score as a plain 16-bit integer; little-endian.
/// A journal turned off adds the text "TapeJournal" and the integer 0 after them.
std::string formatSettings(const Settings& settings);

/// Reads settings bytes. Items that a short or damaged file does not hold are empty texts,
/// empty names and zero scores; reading never fails.
Settings parseSettings(std::string_view bytes);

/// The settings of the file at `path`, or nothing when there is no such file.
std::optional<Settings> loadSettingsFile(const QString& path);

/// Writes the settings file in one step; false when it could not be written.
bool saveSettingsFile(const QString& path, const Settings& settings);

} // namespace padrix
