#include "core/Tape.h"

namespace padrix {

bool isLineForm(std::string_view text) {
    static constexpr std::string_view Markers[] = {
        "Int",  "Fix",  "Roun(", "Sin(", "Cos(",  "Tan(",  "Log(",  "Exp(",
        "Sqr(", "Cot(", "Csc(",  "Sec(", "Asin(", "Acos(", "Atan(", "%"};
    for (std::string_view marker : Markers)
        if (text.find(marker) != std::string_view::npos)
            return true;
    // A formula-button call: a caption (possibly empty), "(", the argument, ")".
    return text.find('(') != std::string_view::npos && text.back() == ')';
}

} // namespace padrix
