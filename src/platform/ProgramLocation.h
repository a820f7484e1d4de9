#pragma once

#include <string>

namespace padrix {

/// The folder of the running program, found before any Qt application object exists: from
/// the system where it tells (/proc/self/exe on Linux), else from argv[0].
std::string programFolder(const char* argv0);

} // namespace padrix
