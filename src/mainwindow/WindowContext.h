#pragma once

#include "numbers/NumberText.h"

#include <QSize>
#include <QString>
#include <QStringList>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

namespace padrix {

class CalcFileReading;

/// What the main window takes from its surroundings, passed in so that tests can fix it.
struct WindowContext {
    NumberLocale locale;      // the user's number separators
    QString executablePath;   // the settings file lives beside it when it can
    QString userConfigFolder; // ... and here when the program's folder cannot be written
    QStringList arguments;    // the program's arguments; the first ".Clc" path among them opens
    /// That file, read already while the window was built; it opens where it is that file.
    std::shared_ptr<CalcFileReading> fileReading;
    QSize screenSize;         // pixels; empty means the primary screen's
    double twipsPerPixel = 0; // 0 means from the screen's logical resolution
    /// The seed of the game's digits; empty means a new one on every run.
    std::optional<std::uint32_t> gameSeed;
    /// The memory the undo history may hold, in bytes; the oldest steps go beyond it.
    std::size_t undoBudget = std::size_t(256) << 20;
    /// Whether a printer is there to print on; empty means ask the system at print time.
    std::function<bool()> printerAvailable;

    /// The real surroundings of the running program.
    static WindowContext fromApplication();
};

/// The calculation file that the arguments open: the first with ".Clc" in its name, in any
/// letter case, without quotes, made absolute; "" when there is none.
QString fileArgument(const QStringList& arguments);

} // namespace padrix
