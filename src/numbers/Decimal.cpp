#include "numbers/Decimal.h"

#include "numbers/CalcFailure.h"
#include "numbers/WideInteger.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace padrix {

namespace {

using namespace wide;

/// Removes the lowest `digits` decimal figures of m, rounding by `mode`. `sticky` says that
/// nonzero figures lie below m (an inexact quotient), so a dropped 5 is more than a half.
Wide dropDigits(Wide m, int digits, Rounding mode, bool negative, bool sticky) {
    if (digits <= 0)
        return m;
    for (int k = digits - 1; k > 0;) {
        const int step = std::min(k, 9);
        sticky |= m.divSmall(static_cast<std::uint32_t>(Pow10[step])) != 0;
        k -= step;
    }
    const std::uint32_t last = m.divSmall(10);
    bool up = false;
    switch (mode) {
    case Rounding::HalfEven:
        up = last > 5 || (last == 5 && (sticky || (m.len > 0 && (m.w[0] & 1U) != 0)));
        break;
    case Rounding::HalfAwayFromZero:
        up = last >= 5;
        break;
    case Rounding::TowardZero:
        break;
    case Rounding::Floor:
        up = negative && (last != 0 || sticky);
        break;
    }
    if (up)
        m.addSmall(1);
    return m;
}

Decimal makeDecimal(const Wide& m, int scale, bool negative) {
    assert(m.fits96() && scale >= 0 && scale <= Decimal::MaxScale);
    const u128 v = m.toU128();
    return Decimal::fromParts(static_cast<std::uint64_t>(v), static_cast<std::uint32_t>(v >> 64),
                              scale, negative && !m.isZero());
}

/// The exact value m / 10^scale (plus a sticky remainder below m) rounded half to even to the
/// most figures that fit: at most 28 places and a 96-bit integer. `minDrop` figures are
/// dropped at least.
Decimal fitResult(const Wide& m, int scale, bool negative, bool sticky = false, int minDrop = 0) {
    int drop = std::max({0, scale - Decimal::MaxScale, minDrop});
    // 2^96 has 29 figures, so m needs at least (figures of m) - 29 figures dropped.
    const int excessBits = m.bitLength() - 96;
    if (excessBits > 0)
        drop = std::max(drop, static_cast<int>(excessBits * 0.30102999566398) - 1);
    for (;; ++drop) {
        if (drop > scale)
            throw CalcError(CalcFailure::Overflow);
        const Wide q = dropDigits(m, drop, Rounding::HalfEven, negative, sticky);
        if (q.fits96())
            return makeDecimal(q, scale - drop, negative);
    }
}

Wide magnitude(const Decimal& d) {
    return Wide::from((u128(d.high()) << 64) | d.low());
}

u128 magnitude128(const Decimal& d) {
    return (u128(d.high()) << 64) | d.low();
}

} // namespace

/// Adds or subtracts magnitudes at a common scale; the sign of the result follows.
Decimal Decimal::addSigned(const Decimal& a, const Decimal& b, bool negateB) {
    const bool negA = a.isNegative();
    const bool negB = b.isNegative() != negateB && !b.isZero();
    const int scale = std::max(a.scale(), b.scale());

    // Fast path: both magnitudes below 2^64 and the alignment fits in 128 bits.
    if (a.high() == 0 && b.high() == 0 && scale - std::min(a.scale(), b.scale()) <= 19) {
        const u128 ma = u128(a.low()) * Pow10[scale - a.scale()];
        const u128 mb = u128(b.low()) * Pow10[scale - b.scale()];
        const auto [r, neg] = wide::signedSum(ma, negA, mb, negB);
        if (r < TwoTo96)
            return Decimal::fromParts(static_cast<std::uint64_t>(r),
                                      static_cast<std::uint32_t>(r >> 64), scale, neg && r != 0);
        return fitResult(Wide::from(r), scale, neg);
    }

    Wide ma = magnitude(a);
    Wide mb = magnitude(b);
    ma.mulPow10(scale - a.scale());
    mb.mulPow10(scale - b.scale());
    if (negA == negB)
        return fitResult(add(ma, mb), scale, negA);
    const int c = compare(ma, mb);
    if (c == 0)
        return Decimal{};
    return c > 0 ? fitResult(subtract(ma, mb), scale, negA)
                 : fitResult(subtract(mb, ma), scale, negB);
}

namespace {

Decimal roundTo(const Decimal& d, int places, Rounding mode) {
    places = std::clamp(places, 0, Decimal::MaxScale);
    if (d.scale() <= places)
        return d;
    // Dropping at least one figure leaves room for the carry of rounding up.
    const Wide m = dropDigits(magnitude(d), d.scale() - places, mode, d.isNegative(), false);
    return makeDecimal(m, places, d.isNegative());
}

} // namespace

Decimal::Decimal(std::int64_t value)
    : m_low(value < 0 ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value)),
      m_negative(value < 0) {}

Decimal Decimal::fromDigits(bool negative, std::string_view digits, int exponent) {
    const auto first = digits.find_first_not_of('0');
    if (first == std::string_view::npos)
        return Decimal{};
    digits.remove_prefix(first);
    // Beyond 40 figures only whether anything nonzero follows matters for rounding.
    constexpr std::size_t KeptFigures = 40;
    bool sticky = false;
    if (digits.size() > KeptFigures) {
        sticky = digits.substr(KeptFigures).find_first_not_of('0') != std::string_view::npos;
        const auto dropped = static_cast<long long>(digits.size() - KeptFigures);
        exponent = static_cast<int>(std::min<long long>(exponent + dropped, 1000000));
        digits = digits.substr(0, KeptFigures);
    }
    const int figures = static_cast<int>(digits.size());
    if (figures + exponent > 29)
        throw CalcError(CalcFailure::Overflow);
    if (figures <= 19 && exponent <= 0 && exponent >= -MaxScale) {
        // Fits a 64-bit integer at a scale the type holds: no rounding needed.
        std::uint64_t m = 0;
        for (char c : digits)
            m = m * 10 + static_cast<std::uint64_t>(c - '0');
        return fromParts(m, 0, -exponent, negative);
    }
    // So far below the smallest place that even the first figure rounds away.
    if (-exponent > MaxScale + figures + 1)
        return Decimal{};
    Wide m;
    for (char c : digits) {
        m.mulSmall(10);
        m.addSmall(static_cast<std::uint32_t>(c - '0'));
    }
    if (exponent >= 0) {
        m.mulPow10(exponent);
        if (!m.fits96())
            throw CalcError(CalcFailure::Overflow);
        return makeDecimal(m, 0, negative);
    }
    return fitResult(m, -exponent, negative, sticky);
}

Decimal Decimal::parse(std::string_view text) {
    auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    std::string digits;
    digits.reserve(text.size());
    int exponent = 0;
    bool seenPoint = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            digits.push_back(c);
            if (seenPoint)
                --exponent;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    if (digits.empty())
        throw CalcError(CalcFailure::TypeMismatch);
    if (i < text.size()) {
        if (text[i] != 'E' && text[i] != 'e')
            throw CalcError(CalcFailure::TypeMismatch);
        ++i;
        bool negExp = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-'))
            negExp = text[i++] == '-';
        if (i == text.size())
            throw CalcError(CalcFailure::TypeMismatch);
        long long e = 0;
        for (; i < text.size(); ++i) {
            if (text[i] < '0' || text[i] > '9')
                throw CalcError(CalcFailure::TypeMismatch);
            e = std::min<long long>(e * 10 + (text[i] - '0'), 100000000);
        }
        exponent += static_cast<int>(negExp ? -e : e);
    }
    return fromDigits(negative, digits, exponent);
}

Decimal Decimal::fromDouble(double value) {
    if (!std::isfinite(value))
        throw CalcError(CalcFailure::Overflow);
    if (value == 0.0)
        return Decimal{};
    // 15 significant figures, correctly rounded from the double's exact value.
    char buf[40];
    const auto written =
        std::to_chars(buf, buf + sizeof buf - 1, value, std::chars_format::scientific, 14);
    *written.ptr = '\0';
    std::string_view s(buf, static_cast<std::size_t>(written.ptr - buf));
    const bool negative = s.front() == '-';
    if (negative)
        s.remove_prefix(1);
    const auto e = s.find('e');
    std::string digits;
    for (char c : s.substr(0, e))
        if (c != '.')
            digits.push_back(c);
    const int exponent = std::atoi(s.data() + e + 1) - 14;
    return fromDigits(negative, digits, exponent);
}

double Decimal::toDouble() const {
    const u128 m = magnitude128(*this);
    double result = 0;
    if (m < (u128(1) << 53) && m_scale <= 22) {
        // Both operands are exact doubles, so one division rounds correctly.
        static constexpr double Powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
        result = static_cast<double>(static_cast<std::uint64_t>(m)) / Powers[m_scale];
    } else {
        const std::string text = toString(); // signed, so no negation below
        std::from_chars(text.data(), text.data() + text.size(), result);
        return result;
    }
    return isNegative() ? -result : result;
}

std::string Decimal::toString() const {
    if (isZero())
        return "0";
    u128 m = magnitude128(*this);
    char figures[32];
    int n = 0;
    // Two 64-bit halves keep the digit loop out of 128-bit division.
    const std::uint64_t lowPart = static_cast<std::uint64_t>(m % Pow10[19]);
    const std::uint64_t highPart = static_cast<std::uint64_t>(m / Pow10[19]);
    std::uint64_t part = lowPart;
    for (int i = 0; i < 19 && (part != 0 || highPart != 0); ++i) {
        figures[n++] = static_cast<char>('0' + part % 10);
        part /= 10;
    }
    for (part = highPart; part != 0; part /= 10)
        figures[n++] = static_cast<char>('0' + part % 10);
    // figures[] holds the magnitude's figures, lowest first.
    int firstKept = 0;
    while (firstKept < m_scale && figures[firstKept] == '0')
        ++firstKept;
    std::string out;
    out.reserve(34);
    if (m_negative)
        out.push_back('-');
    const int intFigures = n - m_scale;
    if (intFigures <= 0) {
        out.push_back('0');
    } else {
        for (int i = n - 1; i >= m_scale; --i)
            out.push_back(figures[i]);
    }
    if (firstKept < m_scale) {
        out.push_back('.');
        for (int i = m_scale - 1; i >= firstKept; --i)
            out.push_back(i < n ? figures[i] : '0');
    }
    return out;
}

Decimal Decimal::operator-() const {
    Decimal d = *this;
    d.m_negative = !m_negative && !isZero();
    return d;
}

Decimal operator*(const Decimal& a, const Decimal& b) {
    const bool negative = a.isNegative() != b.isNegative();
    const int scale = a.scale() + b.scale();
    if (a.high() == 0 && b.high() == 0) {
        const u128 p = u128(a.low()) * b.low();
        if (p == 0)
            return Decimal{};
        if (p < TwoTo96 && scale <= Decimal::MaxScale)
            return Decimal::fromParts(static_cast<std::uint64_t>(p),
                                      static_cast<std::uint32_t>(p >> 64), scale, negative);
        return fitResult(Wide::from(p), scale, negative);
    }
    const Wide p = multiply(magnitude(a), magnitude(b));
    if (p.isZero())
        return Decimal{};
    return fitResult(p, scale, negative);
}

Decimal operator/(const Decimal& a, const Decimal& b) {
    if (b.isZero())
        throw CalcError(CalcFailure::DivisionByZero);
    if (a.isZero())
        return Decimal{};
    const bool negative = a.isNegative() != b.isNegative();
    const int natural = std::max(0, a.scale() - b.scale());
    if (a.high() == 0 && b.high() == 0 && b.scale() - a.scale() <= 19) {
        // Most divisions on a tape come out exact (p / 100, 22 / 2.2): try in 128 bits.
        const int e = std::min(19, Decimal::MaxScale - a.scale() + b.scale());
        const u128 n = u128(a.low()) * Pow10[e];
        const u128 q = n / b.low();
        if (n % b.low() == 0 && q < TwoTo96) {
            u128 m = q;
            int scale = a.scale() - b.scale() + e;
            while (scale > natural && m % 10 == 0) {
                m /= 10;
                --scale;
            }
            return Decimal::fromParts(static_cast<std::uint64_t>(m),
                                      static_cast<std::uint32_t>(m >> 64), scale, negative);
        }
    }
    // The quotient at the largest scale, 28: a * 10^(28 + sb - sa) / b.
    Wide n = magnitude(a);
    n.mulPow10(Decimal::MaxScale + b.scale() - a.scale());
    Wide q;
    Wide r;
    divide(n, magnitude(b), q, r);
    Wide m;
    int scale = Decimal::MaxScale;
    if (q.fits96()) {
        // Round half to even by comparing twice the remainder with the divisor.
        Wide twice = add(r, r);
        const int c = compare(twice, magnitude(b));
        m = q;
        if (c > 0 || (c == 0 && (q.w[0] & 1U) != 0))
            m.addSmall(1);
        if (!m.fits96())
            return fitResult(q, scale, negative, !r.isZero(), 1);
    } else {
        const Decimal rounded = fitResult(q, scale, negative, !r.isZero());
        m = magnitude(rounded);
        scale = rounded.scale();
    }
    // Trailing zeros carry no value; drop them down to the quotient's natural scale.
    while (scale > natural && !m.isZero()) {
        Wide t = m;
        if (t.divSmall(10) != 0)
            break;
        m = t;
        --scale;
    }
    return makeDecimal(m, scale, negative);
}

std::strong_ordering operator<=>(const Decimal& a, const Decimal& b) {
    const bool negA = a.isNegative();
    const bool negB = b.isNegative();
    if (negA != negB)
        return negA ? std::strong_ordering::less : std::strong_ordering::greater;
    int c = 0;
    if (a.scale() == b.scale()) {
        const u128 ma = magnitude128(a);
        const u128 mb = magnitude128(b);
        c = ma < mb ? -1 : (ma > mb ? 1 : 0);
    } else {
        const int scale = std::max(a.scale(), b.scale());
        Wide ma = magnitude(a);
        Wide mb = magnitude(b);
        ma.mulPow10(scale - a.scale());
        mb.mulPow10(scale - b.scale());
        c = compare(ma, mb);
    }
    if (negA)
        c = -c;
    return c < 0 ? std::strong_ordering::less
                 : (c > 0 ? std::strong_ordering::greater : std::strong_ordering::equal);
}

Decimal Decimal::roundHalfEven(int places) const {
    return roundTo(*this, places, Rounding::HalfEven);
}

Decimal Decimal::roundHalfAwayFromZero(int places) const {
    return roundTo(*this, places, Rounding::HalfAwayFromZero);
}

Decimal Decimal::floor() const {
    return roundTo(*this, 0, Rounding::Floor);
}

Decimal Decimal::truncate() const {
    return roundTo(*this, 0, Rounding::TowardZero);
}

} // namespace padrix
