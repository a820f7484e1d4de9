#pragma once

// Exact integer arithmetic beyond 96 bits, the intermediates of the decimal operations before
// they are rounded. Inline, so that the decimal operations keep their speed.

#include "numbers/UInt128.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cassert>
#include <cstdint>

namespace padrix::wide {

// The compiler's own 128-bit integer where it has one; UInt128 elsewhere (MSVC) or when the
// build asks for it (PADRIX_PORTABLE_INT128), so that both give the same results.
#if defined(__SIZEOF_INT128__) && !defined(PADRIX_PORTABLE_INT128)
__extension__ typedef unsigned __int128 u128;
#else
using u128 = UInt128;
#endif

inline constexpr u128 TwoTo96 = u128(1) << 96;

/// A sum of two signed magnitudes whose true sum fits 128 bits: its magnitude and sign.
struct SignedSum {
    u128 magnitude;
    bool negative;
};

inline SignedSum signedSum(u128 a, bool negativeA, u128 b, bool negativeB) {
    if (negativeA == negativeB)
        return {a + b, negativeA};
    return a >= b ? SignedSum{a - b, negativeA} : SignedSum{b - a, negativeB};
}

inline constexpr std::array<std::uint64_t, 20> Pow10 = {1ULL,
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

inline int compare(const Wide& a, const Wide& b) {
    if (a.len != b.len)
        return a.len < b.len ? -1 : 1;
    for (int i = a.len - 1; i >= 0; --i)
        if (a.w[i] != b.w[i])
            return a.w[i] < b.w[i] ? -1 : 1;
    return 0;
}

inline Wide add(const Wide& a, const Wide& b) {
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
inline Wide subtract(const Wide& a, const Wide& b) {
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

inline Wide multiply(const Wide& a, const Wide& b) {
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
inline void divide(const Wide& u, const Wide& v, Wide& q, Wide& r) {
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

} // namespace padrix::wide
