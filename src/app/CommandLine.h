#pragma once

#include "numbers/NumberText.h"

#include <QStringList>

#include <optional>

class QIODevice;
class QTextStream;

namespace padrix {

/// What a command-line request reads besides its arguments.
struct CommandLineContext {
    NumberLocale locale;                // separators of calculation files and totals
    QIODevice* standardInput = nullptr; // read for "--total -"
};

/// Runs a request of the command line that needs no window (--help, --version, --eval,
/// --total). Returns the process's exit status, or nothing when the arguments ask for the
/// window.
std::optional<int> runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err,
                                  const CommandLineContext& context = {});

} // namespace padrix
