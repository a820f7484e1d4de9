#pragma once

#include <QString>

#include <string_view>

namespace padrix {

/// Replaces the file at `path` with `bytes` in one step: the bytes go to a temporary file
/// beside it, which is renamed over the old one only when everything was written. On failure
/// the old file is untouched and `error` says why.
bool saveWholeFile(const QString& path, std::string_view bytes, QString* error = nullptr);

} // namespace padrix
