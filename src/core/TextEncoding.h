#pragma once

#include <string>
#include <string_view>

namespace padrix {

/// True when the bytes are well-formed UTF-8.
bool isValidUtf8(std::string_view bytes);

/// The bytes as UTF-8: as they are when they already are, otherwise read as Latin-1, the
/// single-byte code page that older files and other systems write.
std::string toUtf8(std::string_view bytes);

} // namespace padrix
