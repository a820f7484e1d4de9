#include "numbers/UInt128.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

namespace padrix::wide {
namespace {

std::string hex(const UInt128& v) {
    char text[40];
    std::snprintf(text, sizeof text, "0x%016llX%016llX", static_cast<unsigned long long>(v.high()),
                  static_cast<unsigned long long>(v.low()));
    return text;
}

/// Carries, borrows, wrap-around and the divisions whose estimated quotient needs correcting.
TEST(UInt128, WorstCasesGiveTheExactResults) {
    struct Row {
        UInt128 a;
        char op; // + - * / % and < > for shifts by b
        UInt128 b;
        UInt128 expected;
    };
    const UInt128 max = UInt128::fromHalves(~0ULL, ~0ULL);
    const UInt128 tenTo38 = UInt128::fromHalves(0x4B3B4CA85A86C47AULL, 0x098A224000000000ULL);
    const Row rows[] = {
        {~0ULL, '*', ~0ULL, UInt128::fromHalves(0xFFFFFFFFFFFFFFFEULL, 1)},
        {max, '+', 1, 0},
        {0, '-', 1, max},
        {~0ULL, '+', 1, UInt128::fromHalves(1, 0)},
        {UInt128::fromHalves(1, 0), '-', 1, ~0ULL},
        {tenTo38, '/', 10000000000000000000ULL, 10000000000000000000ULL},
        {max, '/', 10, UInt128::fromHalves(0x1999999999999999ULL, 0x9999999999999999ULL)},
        {max, '%', 10, 5},
        {max, '/', UInt128::fromHalves(1, 1), ~0ULL},
        {max, '/', ~0ULL, UInt128::fromHalves(1, 1)},
        {tenTo38 + 12345, '/', UInt128::fromHalves(3, 7), 0x1913C4381E2CEC28ULL},
        {tenTo38 + 12345, '%', UInt128::fromHalves(3, 7),
         UInt128::fromHalves(1, 0x59FFC4B72CC5BB21ULL)},
        {max, '%', UInt128::fromHalves(1ULL << 63, 1),
         UInt128::fromHalves(0x7FFFFFFFFFFFFFFFULL, 0xFFFFFFFFFFFFFFFEULL)},
        {max, '%', UInt128::fromHalves(1ULL << 63, ~0ULL), UInt128::fromHalves(~0ULL >> 1, 0)},
        {1, '<', 127, UInt128::fromHalves(1ULL << 63, 0)},
        {max, '>', 127, 1},
        {max, '>', 64, ~0ULL},
        {tenTo38, '>', 0, tenTo38},
    };
    for (const Row& r : rows) {
        const int shift = static_cast<int>(r.b.low());
        UInt128 result;
        switch (r.op) {
        case '+':
            result = r.a + r.b;
            break;
        case '-':
            result = r.a - r.b;
            break;
        case '*':
            result = r.a * r.b;
            break;
        case '/':
            result = r.a / r.b;
            break;
        case '%':
            result = r.a % r.b;
            break;
        case '<':
            result = r.a << shift;
            break;
        case '>':
            result = r.a >> shift;
            break;
        }
        EXPECT_EQ(hex(result), hex(r.expected)) << hex(r.a) << ' ' << r.op << ' ' << hex(r.b);
    }
}

#if defined(__SIZEOF_INT128__)
__extension__ typedef unsigned __int128 Native;

UInt128 portable(Native v) {
    return UInt128::fromHalves(static_cast<std::uint64_t>(v >> 64), static_cast<std::uint64_t>(v));
}

TEST(UInt128, AgreesWithTheCompilersOwnOnRandomValues) {
    std::mt19937_64 random(20261206);
    // Halves of every shape the algorithms treat apart: zero, one, all ones, a single bit,
    // short and full-length numbers.
    auto half = [&]() -> std::uint64_t {
        switch (random() % 6) {
        case 0:
            return 0;
        case 1:
            return 1;
        case 2:
            return ~0ULL;
        case 3:
            return 1ULL << (random() % 64);
        case 4:
            return random() >> (random() % 64);
        default:
            return random();
        }
    };
    int failures = 0;
    for (int i = 0; i < 200000 && failures < 10; ++i) {
        const Native a = (Native(half()) << 64) | half();
        const Native b = (Native(half()) << 64) | half();
        const int shift = static_cast<int>(random() % 128);
        const UInt128 x = portable(a);
        const UInt128 y = portable(b);
        std::string wrong;
        auto check = [&](const char* op, const UInt128& got, Native expected) {
            if (got != portable(expected))
                wrong += std::string(" ") + op;
        };
        check("+", x + y, a + b);
        check("-", x - y, a - b);
        check("*", x * y, a * b);
        check("*64", UInt128::multiply64(x.low(), y.low()),
              Native(static_cast<std::uint64_t>(a)) * static_cast<std::uint64_t>(b));
        if (b != 0) {
            check("/", x / y, a / b);
            check("%", x % y, a % b);
        }
        if (static_cast<std::uint64_t>(b) != 0) {
            check("/64", x / y.low(), a / static_cast<std::uint64_t>(b));
            check("%64", x % y.low(), a % static_cast<std::uint64_t>(b));
        }
        check("&", x & y, a & b);
        check("|", x | y, a | b);
        check("^", x ^ y, a ^ b);
        check("~", ~x, ~a);
        check("<<", x << shift, a << shift);
        check(">>", x >> shift, a >> shift);
        if ((x < y) != (a < b) || (x == y) != (a == b) || (x >= y) != (a >= b))
            wrong += " compare";
        if (static_cast<std::uint32_t>(x) != static_cast<std::uint32_t>(a) ||
            static_cast<bool>(x) != static_cast<bool>(a))
            wrong += " cast";
        if (!wrong.empty()) {
            ++failures;
            ADD_FAILURE() << hex(x) << " and " << hex(y) << ", shift " << shift << ":" << wrong;
        }
    }
}
#endif

} // namespace
} // namespace padrix::wide
