#pragma once

namespace padrix {

/// A double-precision result checked for what the tape cannot show: NaN is an invalid
/// argument (CalcError(InvalidArgument)), an infinity an overflow (CalcError(Overflow)).
double checkedReal(double value);

/// base raised to exponent in double precision; zero to a negative power is a division by
/// zero, and the result is checked as by checkedReal.
double checkedPower(double base, double exponent);

} // namespace padrix
