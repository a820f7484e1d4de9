#include "numbers/RealMath.h"

#include "numbers/CalcFailure.h"

#include <cmath>

namespace padrix {

double checkedReal(double value) {
    if (std::isnan(value))
        throw CalcError(CalcFailure::InvalidArgument);
    if (std::isinf(value))
        throw CalcError(CalcFailure::Overflow);
    return value;
}

double checkedPower(double base, double exponent) {
    if (base == 0.0 && exponent < 0)
        throw CalcError(CalcFailure::DivisionByZero);
    return checkedReal(std::pow(base, exponent));
}

} // namespace padrix
