#pragma once

// An unsigned 128-bit integer in standard C++, for compilers without unsigned __int128 (MSVC):
// the same arithmetic modulo 2^128 and the same operators, so that code written for the
// built-in type reads the same with this one. WideInteger.h picks one of the two as u128.

#include <bit>
#include <cassert>
#include <compare>
#include <concepts>
#include <cstdint>

namespace padrix::wide {

class UInt128 {
public:
    constexpr UInt128() = default;
    // NOLINTNEXTLINE(google-explicit-constructor): integers convert as they do to __int128
    constexpr UInt128(std::uint64_t low) : m_low(low) {}
    static constexpr UInt128 fromHalves(std::uint64_t high, std::uint64_t low) {
        UInt128 r;
        r.m_high = high;
        r.m_low = low;
        return r;
    }

    constexpr std::uint64_t high() const { return m_high; }
    constexpr std::uint64_t low() const { return m_low; }

    /// The low bits, as a cast of unsigned __int128 gives them.
    template <std::integral T> constexpr explicit operator T() const {
        return static_cast<T>(m_low);
    }
    constexpr explicit operator bool() const { return (m_high | m_low) != 0; }

    /// The full product of two 64-bit numbers, from four 32 x 32-bit products.
    static constexpr UInt128 multiply64(std::uint64_t a, std::uint64_t b) {
        constexpr std::uint64_t Mask = 0xFFFFFFFFULL;
        const std::uint64_t a0 = a & Mask;
        const std::uint64_t a1 = a >> 32;
        const std::uint64_t b0 = b & Mask;
        const std::uint64_t b1 = b >> 32;
        const std::uint64_t p00 = a0 * b0;
        const std::uint64_t p01 = a0 * b1;
        const std::uint64_t p10 = a1 * b0;
        const std::uint64_t p11 = a1 * b1;
        // At most (2^32 - 1)^2 + 2 (2^32 - 1) = 2^64 - 1: no carry is lost.
        const std::uint64_t middle = (p00 >> 32) + (p10 & Mask) + p01;
        return fromHalves((p10 >> 32) + (middle >> 32) + p11, (middle << 32) | (p00 & Mask));
    }

    /// Quotient and remainder of a division by a nonzero number.
    struct DivMod;
    static constexpr DivMod divide(const UInt128& u, const UInt128& v);

    friend constexpr UInt128 operator+(const UInt128& a, const UInt128& b) {
        const std::uint64_t low = a.m_low + b.m_low;
        return fromHalves(a.m_high + b.m_high + (low < a.m_low ? 1 : 0), low);
    }
    friend constexpr UInt128 operator-(const UInt128& a, const UInt128& b) {
        return fromHalves(a.m_high - b.m_high - (a.m_low < b.m_low ? 1 : 0), a.m_low - b.m_low);
    }
    friend constexpr UInt128 operator*(const UInt128& a, const UInt128& b) {
        // The high halves' product lies wholly above 2^128.
        UInt128 r = multiply64(a.m_low, b.m_low);
        r.m_high += a.m_low * b.m_high + a.m_high * b.m_low;
        return r;
    }
    friend constexpr UInt128 operator/(const UInt128& a, const UInt128& b);
    friend constexpr UInt128 operator%(const UInt128& a, const UInt128& b);

    friend constexpr UInt128 operator&(const UInt128& a, const UInt128& b) {
        return fromHalves(a.m_high & b.m_high, a.m_low & b.m_low);
    }
    friend constexpr UInt128 operator|(const UInt128& a, const UInt128& b) {
        return fromHalves(a.m_high | b.m_high, a.m_low | b.m_low);
    }
    friend constexpr UInt128 operator^(const UInt128& a, const UInt128& b) {
        return fromHalves(a.m_high ^ b.m_high, a.m_low ^ b.m_low);
    }
    constexpr UInt128 operator~() const { return fromHalves(~m_high, ~m_low); }

    /// Shifts by 0 to 127 bits, as the built-in type allows.
    friend constexpr UInt128 operator<<(const UInt128& a, int n) {
        assert(n >= 0 && n < 128);
        if (n == 0)
            return a;
        if (n >= 64)
            return fromHalves(a.m_low << (n - 64), 0);
        return fromHalves((a.m_high << n) | (a.m_low >> (64 - n)), a.m_low << n);
    }
    friend constexpr UInt128 operator>>(const UInt128& a, int n) {
        assert(n >= 0 && n < 128);
        if (n == 0)
            return a;
        if (n >= 64)
            return fromHalves(0, a.m_high >> (n - 64));
        return fromHalves(a.m_high >> n, (a.m_low >> n) | (a.m_high << (64 - n)));
    }

    constexpr UInt128& operator+=(const UInt128& b) { return *this = *this + b; }
    constexpr UInt128& operator-=(const UInt128& b) { return *this = *this - b; }
    constexpr UInt128& operator*=(const UInt128& b) { return *this = *this * b; }
    constexpr UInt128& operator/=(const UInt128& b) { return *this = *this / b; }
    constexpr UInt128& operator%=(const UInt128& b) { return *this = *this % b; }
    constexpr UInt128& operator&=(const UInt128& b) { return *this = *this & b; }
    constexpr UInt128& operator|=(const UInt128& b) { return *this = *this | b; }
    constexpr UInt128& operator^=(const UInt128& b) { return *this = *this ^ b; }
    constexpr UInt128& operator<<=(int n) { return *this = *this << n; }
    constexpr UInt128& operator>>=(int n) { return *this = *this >> n; }

    friend constexpr bool operator==(const UInt128& a, const UInt128& b) {
        return a.m_high == b.m_high && a.m_low == b.m_low;
    }
    friend constexpr std::strong_ordering operator<=>(const UInt128& a, const UInt128& b) {
        return a.m_high != b.m_high ? a.m_high <=> b.m_high : a.m_low <=> b.m_low;
    }

private:
    /// (high * 2^64 + low) / d for high < d, the remainder in `remainder`: Knuth's algorithm D
    /// on 32-bit digits, as Hacker's Delight writes it (divlu).
    static constexpr std::uint64_t divide128By64(std::uint64_t high, std::uint64_t low,
                                                 std::uint64_t d, std::uint64_t& remainder) {
        assert(high < d);
        constexpr std::uint64_t Base = std::uint64_t(1) << 32;
        constexpr std::uint64_t Mask = Base - 1;
        // Normalized so that d's top bit is set; high < d keeps the shifted-out bits zero.
        const int s = std::countl_zero(d);
        d <<= s;
        const std::uint64_t d1 = d >> 32;
        const std::uint64_t d0 = d & Mask;
        const std::uint64_t u32 = s == 0 ? high : (high << s) | (low >> (64 - s));
        const std::uint64_t u10 = low << s;
        const std::uint64_t u1 = u10 >> 32;
        const std::uint64_t u0 = u10 & Mask;

        std::uint64_t q1 = u32 / d1;
        std::uint64_t rhat = u32 - q1 * d1;
        while (q1 >= Base || q1 * d0 > ((rhat << 32) | u1)) {
            --q1;
            rhat += d1;
            if (rhat >= Base)
                break;
        }
        const std::uint64_t u21 = (u32 << 32) + u1 - q1 * d;

        std::uint64_t q0 = u21 / d1;
        rhat = u21 - q0 * d1;
        while (q0 >= Base || q0 * d0 > ((rhat << 32) | u0)) {
            --q0;
            rhat += d1;
            if (rhat >= Base)
                break;
        }
        remainder = ((u21 << 32) + u0 - q0 * d) >> s;
        return (q1 << 32) + q0;
    }

    std::uint64_t m_high = 0; // bits 64..127
    std::uint64_t m_low = 0;  // bits 0..63
};

struct UInt128::DivMod {
    UInt128 quotient;
    UInt128 remainder;
};

constexpr UInt128::DivMod UInt128::divide(const UInt128& u, const UInt128& v) {
    assert(v != 0);
    if (v.m_high == 0) {
        // Two 128 / 64-bit steps, the first on the high half alone.
        const std::uint64_t d = v.m_low;
        const std::uint64_t qHigh = u.m_high / d;
        std::uint64_t r = 0;
        const std::uint64_t qLow = divide128By64(u.m_high % d, u.m_low, d, r);
        return {fromHalves(qHigh, qLow), r};
    }
    if (u < v)
        return {0, u};
    // The quotient fits 64 bits. Estimated from u / 2 and the top 64 bits of v normalized, it
    // is the true quotient or one above it (Hacker's Delight, divlu2).
    const int n = std::countl_zero(v.m_high);
    const std::uint64_t vTop = (v << n).m_high;
    const UInt128 half = u >> 1;
    std::uint64_t unused = 0;
    const std::uint64_t estimate = divide128By64(half.m_high, half.m_low, vTop, unused);
    auto q = static_cast<std::uint64_t>((UInt128(estimate) << n) >> 63);
    if (q != 0)
        --q;
    UInt128 r = u - UInt128(q) * v;
    if (r >= v) {
        ++q;
        r -= v;
    }
    return {q, r};
}

constexpr UInt128 operator/(const UInt128& a, const UInt128& b) {
    return UInt128::divide(a, b).quotient;
}

constexpr UInt128 operator%(const UInt128& a, const UInt128& b) {
    return UInt128::divide(a, b).remainder;
}

} // namespace padrix::wide
