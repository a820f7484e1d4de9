#pragma once

#include <QString>

#include <string_view>

namespace padrix {

/// Why a file could not be written.
enum class SaveFailure { ReadOnly, MissingFolder, DiskFull, SizeLimit, Other };

/// Replaces the file at `path` with `bytes` in one step: the bytes go to a temporary file
/// beside it, which is renamed over the old one only when everything was written. On failure
/// the old file is untouched, `error` says why and `failure` names the kind of cause.
bool saveWholeFile(const QString& path, std::string_view bytes, QString* error = nullptr,
                   SaveFailure* failure = nullptr);

} // namespace padrix
