#include "numbers/Decimal.h"

#include "numbers/CalcFailure.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace padrix {

namespace {

__extension__ typedef unsigned __int128 u128;

constexpr u128 TwoTo96 = u128(1) << 96;

constexpr std::array<std::uint64_t, 20> Pow10 = {1ULL,
                                                 10ULL,
                                                 100ULL,
                                                 1000ULL,
                                                 10000ULL,
                                                 100000ULL,
                                                 1000000ULL,
                                                 10000000ULL,
                                                 100000000ULL,
                                                 1000000000ULL,
                                                 10000000000ULL,
                                                 100000000000ULL,
                                                 1000000000000ULL,
                                                 10000000000000ULL,
                                                 100000000000000ULL,
                                                 1000000000000000ULL,
                                                 10000000000000000ULL,
                                                 100000000000000000ULL,
                                                 1000000000000000000ULL,
                                                 10000000000000000000ULL};

/// Unsigned integer of up to 384 bits in 32-bit limbs, little end first: the exact
/// intermediate of an operation before it is rounded to 96 bits.
struct Wide {
    static constexpr int Limbs = 12;
    std::array<std::uint32_t, Limbs> w{};
    int len = 0; // limbs in use; w[len - 1] != 0 unless len == 0

    static Wide from(u128 v) {
        Wide r;
        while (v != 0) {
            r.w[r.len++] = static_cast<std::uint32_t>(v);
            v >>= 32;
        }
        return r;
    }
    void trim() {
        while (len > 0 && w[len - 1] == 0)
            --len;
    }
    bool isZero() const { return len == 0; }
    bool fits96() const { return len <= 3; }
    u128 toU128() const { // only for values below 2^128
        u128 v = 0;
        for (int i = std::min(len, 4) - 1; i >= 0; --i)
            v = (v << 32) | w[i];
        return v;
    }
    int bitLength() const { return len == 0 ? 0 : 32 * (len - 1) + std::bit_width(w[len - 1]); }

    void mulSmall(std::uint32_t m) {
        std::uint64_t carry = 0;
        for (int i = 0; i < len; ++i) {
            const std::uint64_t t = std::uint64_t(w[i]) * m + carry;
            w[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) {
            assert(len < Limbs);
            w[len++] = static_cast<std::uint32_t>(carry);
        }
    }
    void addSmall(std::uint32_t a) {
        std::uint64_t carry = a;
        for (int i = 0; carry != 0 && i < len; ++i) {
            const std::uint64_t t = std::uint64_t(w[i]) + carry;
            w[i] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        if (carry != 0) {
            assert(len < Limbs);
            w[len++] = static_cast<std::uint32_t>(carry);
        }
    }
    /// Divides in place, returns the remainder.
    std::uint32_t divSmall(std::uint32_t d) {
        std::uint64_t rem = 0;
        for (int i = len - 1; i >= 0; --i) {
            const std::uint64_t cur = (rem << 32) | w[i];
            w[i] = static_cast<std::uint32_t>(cur / d);
            rem = cur % d;
        }
        trim();
        return static_cast<std::uint32_t>(rem);
    }
    void mulPow10(int k) {
        for (; k >= 9; k -= 9)
            mulSmall(1000000000U);
        if (k > 0)
            mulSmall(static_cast<std::uint32_t>(Pow10[k]));
    }
};

int compare(const Wide& a, const Wide& b) {
    if (a.len != b.len)
        return a.len < b.len ? -1 : 1;
    for (int i = a.len - 1; i >= 0; --i)
        if (a.w[i] != b.w[i])
            return a.w[i] < b.w[i] ? -1 : 1;
    return 0;
}

Wide add(const Wide& a, const Wide& b) {
    Wide r;
    const int n = std::max(a.len, b.len);
    std::uint64_t carry = 0;
    for (int i = 0; i < n; ++i) {
        const std::uint64_t t = std::uint64_t(a.w[i]) + b.w[i] + carry;
        r.w[i] = static_cast<std::uint32_t>(t);
        carry = t >> 32;
    }
    r.len = n;
    if (carry != 0)
        r.w[r.len++] = static_cast<std::uint32_t>(carry);
    return r;
}

/// a - b for a >= b.
Wide subtract(const Wide& a, const Wide& b) {
    Wide r;
    std::int64_t borrow = 0;
    for (int i = 0; i < a.len; ++i) {
        std::int64_t t = std::int64_t(a.w[i]) - b.w[i] - borrow;
        borrow = t < 0 ? 1 : 0;
        if (t < 0)
            t += std::int64_t(1) << 32;
        r.w[i] = static_cast<std::uint32_t>(t);
    }
    r.len = a.len;
    r.trim();
    return r;
}

Wide multiply(const Wide& a, const Wide& b) {
    Wide r;
    if (a.isZero() || b.isZero())
        return r;
    assert(a.len + b.len <= Wide::Limbs);
    for (int i = 0; i < a.len; ++i) {
        std::uint64_t carry = 0;
        for (int j = 0; j < b.len; ++j) {
            const std::uint64_t t = std::uint64_t(a.w[i]) * b.w[j] + r.w[i + j] + carry;
            r.w[i + j] = static_cast<std::uint32_t>(t);
            carry = t >> 32;
        }
        r.w[i + b.len] = static_cast<std::uint32_t>(carry);
    }
    r.len = a.len + b.len;
    r.trim();
    return r;
}

/// Long division (Knuth's algorithm D): q = u / v, r = u % v, v not zero.
void divide(const Wide& u, const Wide& v, Wide& q, Wide& r) {
    const int m = u.len;
    const int n = v.len;
    assert(n > 0);
    q = Wide{};
    r = Wide{};
    if (compare(u, v) < 0) {
        r = u;
        return;
    }
    if (n == 1) {
        q = u;
        r = Wide::from(q.divSmall(v.w[0]));
        return;
    }
    const int s = std::countl_zero(v.w[n - 1]);
    std::array<std::uint32_t, Wide::Limbs> vn{};
    std::array<std::uint32_t, Wide::Limbs + 1> un{};
    for (int i = n - 1; i > 0; --i)
        vn[i] = (v.w[i] << s) | static_cast<std::uint32_t>(std::uint64_t(v.w[i - 1]) >> (32 - s));
    vn[0] = v.w[0] << s;
    un[m] = static_cast<std::uint32_t>(std::uint64_t(u.w[m - 1]) >> (32 - s));
    for (int i = m - 1; i > 0; --i)
        un[i] = (u.w[i] << s) | static_cast<std::uint32_t>(std::uint64_t(u.w[i - 1]) >> (32 - s));
    un[0] = u.w[0] << s;

    constexpr std::uint64_t Base = std::uint64_t(1) << 32;
    for (int j = m - n; j >= 0; --j) {
        const std::uint64_t num = (std::uint64_t(un[j + n]) << 32) | un[j + n - 1];
        std::uint64_t qhat = num / vn[n - 1];
        std::uint64_t rhat = num % vn[n - 1];
        while (qhat >= Base || qhat * vn[n - 2] > ((rhat << 32) | un[j + n - 2])) {
            --qhat;
            rhat += vn[n - 1];
            if (rhat >= Base)
                break;
        }
        std::int64_t k = 0;
        std::int64_t t = 0;
        for (int i = 0; i < n; ++i) {
            const std::uint64_t p = qhat * vn[i];
            t = std::int64_t(un[i + j]) - k - std::int64_t(p & 0xFFFFFFFFULL);
            un[i + j] = static_cast<std::uint32_t>(t);
            k = std::int64_t(p >> 32) - (t >> 32);
        }
        t = std::int64_t(un[j + n]) - k;
        un[j + n] = static_cast<std::uint32_t>(t);
        q.w[j] = static_cast<std::uint32_t>(qhat);
        if (t < 0) {
            --q.w[j];
            std::uint64_t carry = 0;
            for (int i = 0; i < n; ++i) {
                const std::uint64_t sum = std::uint64_t(un[i + j]) + vn[i] + carry;
                un[i + j] = static_cast<std::uint32_t>(sum);
                carry = sum >> 32;
            }
            un[j + n] = static_cast<std::uint32_t>(un[j + n] + carry);
        }
    }
    q.len = m - n + 1;
    q.trim();
    for (int i = 0; i < n; ++i)
        r.w[i] = (un[i] >> s) | static_cast<std::uint32_t>((std::uint64_t(un[i + 1]) << (32 - s)));
    r.len = n;
    r.trim();
}

enum class Rounding { HalfEven, HalfAwayFromZero, TowardZero, Floor };

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
        u128 r = 0;
        bool neg = negA;
        if (negA == negB) {
            r = ma + mb;
        } else if (ma >= mb) {
            r = ma - mb;
        } else {
            r = mb - ma;
            neg = negB;
        }
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
