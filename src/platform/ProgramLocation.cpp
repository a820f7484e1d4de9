#include "platform/ProgramLocation.h"

#include <filesystem>
#include <system_error>

namespace padrix {

std::string programFolder(const char* argv0) {
    std::error_code error;
#ifdef __linux__
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return self.parent_path().string();
#endif
    const std::filesystem::path given = std::filesystem::absolute(argv0, error);
    return error ? std::string() : given.parent_path().string();
}

} // namespace padrix
