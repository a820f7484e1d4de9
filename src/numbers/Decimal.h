#pragma once

#include <compare>
#include <cstdint>
#include <string>
#include <string_view>

namespace padrix {

/// Exact decimal number of all tape arithmetic: a sign, a 96-bit unsigned integer and a scale
/// of 0 to 28 decimal places. Results that need more figures are rounded to fit, halves to
/// even; results beyond 79,228,162,514,264,337,593,543,950,335 throw CalcError(Overflow).
class Decimal {
public:
    static constexpr int MaxScale = 28;

    constexpr Decimal() = default;
    Decimal(std::int64_t value); // NOLINT(google-explicit-constructor): integers are decimals

    /// The number low + high * 2^64, divided by 10^scale; scale 0..28.
    static Decimal fromParts(std::uint64_t low, std::uint32_t high, int scale, bool negative) {
        Decimal d;
        d.m_low = low;
        d.m_high = high;
        d.m_scale = static_cast<std::uint8_t>(scale);
        d.m_negative = negative && (low != 0 || high != 0);
        return d;
    }
    /// The number whose figures are `digits` (only '0'..'9'), times 10^exponent, rounded to fit
    /// (halves to even). Throws CalcError(Overflow) when too large.
    static Decimal fromDigits(bool negative, std::string_view digits, int exponent);
    /// Parses the general text form: blanks around, a leading sign, '.' as the point and an
    /// optional exponent ("1E+20"). Throws CalcError(TypeMismatch) for anything else.
    static Decimal parse(std::string_view text);
    /// The double kept to 15 significant figures, as the number type's own conversion does.
    /// Throws CalcError(Overflow) for infinities, NaN and magnitudes beyond the range.
    static Decimal fromDouble(double value);

    double toDouble() const;
    /// General text: every significant figure, no exponent, no trailing zeros, '.' as the
    /// point, a leading zero before it and '-' for negatives; "0" for any zero.
    std::string toString() const;

    bool isZero() const { return m_low == 0 && m_high == 0; }
    bool isNegative() const { return m_negative && !isZero(); }
    int scale() const { return m_scale; }
    std::uint64_t low() const { return m_low; }
    std::uint32_t high() const { return m_high; }

    Decimal operator-() const;
    friend Decimal operator+(const Decimal& a, const Decimal& b) {
        // The tape's everyday case, kept inline: same scale and sign, 64-bit magnitudes.
        if (a.m_high == 0 && b.m_high == 0 && a.m_scale == b.m_scale &&
            a.m_negative == b.m_negative) {
            Decimal r = a;
            r.m_low = a.m_low + b.m_low;
            r.m_high = r.m_low < a.m_low ? 1 : 0;
            return r;
        }
        return addSigned(a, b, false);
    }
    friend Decimal operator-(const Decimal& a, const Decimal& b) { return addSigned(a, b, true); }
    friend Decimal operator*(const Decimal& a, const Decimal& b);
    /// Throws CalcError(DivisionByZero) for a zero divisor.
    friend Decimal operator/(const Decimal& a, const Decimal& b);

    friend std::strong_ordering operator<=>(const Decimal& a, const Decimal& b);
    friend bool operator==(const Decimal& a, const Decimal& b) {
        return (a <=> b) == std::strong_ordering::equal;
    }

    /// Rounded to `places` decimals (0..28), halves to the even neighbour.
    Decimal roundHalfEven(int places) const;
    /// Rounded to `places` decimals (0..28), halves away from zero.
    Decimal roundHalfAwayFromZero(int places) const;
    /// The largest integer not greater than this number.
    Decimal floor() const;
    /// The integer part, truncated towards zero.
    Decimal truncate() const;

private:
    static Decimal addSigned(const Decimal& a, const Decimal& b, bool negateB);

    std::uint64_t m_low = 0;  // low 64 bits of the magnitude
    std::uint32_t m_high = 0; // high 32 bits of the magnitude
    std::uint8_t m_scale = 0; // decimal places, 0..28
    bool m_negative = false;  // never set on a zero produced by arithmetic
};

} // namespace padrix
