// Reading a settings file from any bytes never fails; what it reads, written and read back,
// gives the same buttons and scores, and writes the same bytes again.
#include "FuzzCheck.h"

#include "core/SettingsFile.h"

#include <cstdint>

using namespace padrix;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Settings read =
        parseSettings(std::string_view(reinterpret_cast<const char*>(data), size));
    const std::string written = formatSettings(read);
    const Settings again = parseSettings(written);
    fuzz::check(again == read, "settings written and read back are the same");
    fuzz::check(formatSettings(again) == written, "settings write the same bytes again");
    return 0;
}
