#pragma once

#include <QStringList>

#include <optional>

class QTextStream;

namespace padrix {

/// Runs a request of the command line that needs no window (--help, --version, --eval).
/// Returns the process's exit status, or nothing when the arguments ask for the window.
std::optional<int> runCommandLine(const QStringList& arguments, QTextStream& out, QTextStream& err);

} // namespace padrix
