#pragma once

#include <cstdlib>
#include <string>

namespace padrix {

/// A variable of this process's environment; "" where it is not set.
inline std::string environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? std::string(value) : std::string();
}

} // namespace padrix
