#include "numbers/CalcFailure.h"

namespace padrix {

const char* failureName(CalcFailure kind) noexcept {
    switch (kind) {
    case CalcFailure::TypeMismatch:
        return "type mismatch";
    case CalcFailure::DivisionByZero:
        return "division by zero";
    case CalcFailure::InvalidArgument:
        return "invalid argument";
    case CalcFailure::Overflow:
        return "overflow";
    case CalcFailure::OutOfRange:
        return "out of range";
    }
    return "unknown failure";
}

} // namespace padrix
