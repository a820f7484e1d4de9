#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace padrix {

/// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

/// The bytes as UTF-8: as they are when they already are, otherwise read as Latin-1, the
/// single-byte code page that older files and other systems write.
std::string toUtf8(std::string_view bytes);

/// The UTF-8 text in Latin-1, one byte a character; nothing when it has a character beyond.
std::optional<std::string> toLatin1(std::string_view utf8);

} // namespace padrix
