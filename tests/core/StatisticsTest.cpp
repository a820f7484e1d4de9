#include "core/Statistics.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <random>

namespace padrix {
namespace {

/// The plain selection sort and compaction, as the statistics define their order: the
/// reference that the fast sort must match.
int referenceSort(std::vector<Value>& a) {
    const int n = static_cast<int>(a.size());
    for (int i = 0; i + 1 < n; ++i) {
        int m = i;
        Value min = a[i];
        for (int j = i + 1; j < n; ++j) {
            if (compareValues(a[j], min) < 0) {
                m = j;
                min = a[j];
            }
        }
        a[m] = a[i];
        a[i] = min;
    }
    const Value zero = Decimal{};
    int k = 0;
    for (int i = 0; i < n; ++i)
        if (compareValues(a[i], zero) > 0)
            a[k++] = a[i];
    for (int i = k; i < n; ++i)
        a[i] = zero;
    return k - 1;
}

std::vector<std::string> texts(const std::vector<Value>& values) {
    std::vector<std::string> out;
    for (const Value& v : values)
        out.push_back(v.text(NumberLocale::english()));
    return out;
}

/// 300 values of every kind: never written, function lines, doubles and decimals, zeros and
/// negative ones among them.
std::vector<Value> randomValues(std::mt19937& random) {
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<int> number(-50, 50);
    std::vector<Value> values;
    for (int i = 0; i < 300; ++i) {
        const int k = kind(random);
        const int n = number(random);
        if (k == 0)
            values.emplace_back();
        else if (k == 1)
            values.emplace_back("Sin(" + std::to_string(n) + ")");
        else if (k == 2)
            values.emplace_back(n / 4.0);
        else
            values.emplace_back(Decimal(n) / Decimal(k));
    }
    return values;
}

TEST(Sorting, OrderOfValues) {
    const Value never;
    EXPECT_EQ(compareValues(Decimal::parse("1.50"), Decimal::parse("1.5")), 0);
    EXPECT_LT(compareValues(Decimal::parse("-3"), never), 0);
    EXPECT_EQ(compareValues(never, Decimal{}), 0);
    EXPECT_LT(compareValues(Decimal::parse("1E+20"), "A"), 0);
    EXPECT_LT(compareValues(2.5, Decimal::parse("3")), 0);
    EXPECT_LT(compareValues("Sin(1)", "Sin(2)"), 0);
    EXPECT_LT(compareValues("Z", "a"), 0);        // character codes
    EXPECT_LT(compareValues("a", "\xc3\xa9"), 0); // bytes above 127 sort last
}

TEST(Sorting, KeepsPositiveValuesInOrderAndFillsZeros) {
    std::vector<Value> v = {Decimal(3), Decimal(-1), Decimal(2)};
    EXPECT_EQ(Selectionsort(v), 1);
    EXPECT_EQ(texts(v), (std::vector<std::string>{"2", "3", "0"}));

    v = {"b", Decimal(5), "a", Decimal(0), Value(), Decimal(-3)};
    EXPECT_EQ(Selectionsort(v), 2);
    EXPECT_EQ(texts(v), (std::vector<std::string>{"5", "a", "b", "0", "0", "0"}));

    v = {Decimal(-1), Value()};
    EXPECT_EQ(Selectionsort(v), -1);
    std::vector<Value> none;
    EXPECT_EQ(Selectionsort(none), -1);
}

TEST(Sorting, MatchesTheSelectionSortOnMixedValues) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 20; ++round) {
        std::vector<Value> values = randomValues(random);
        std::vector<Value> expected = values;
        const int expectedLast = referenceSort(expected);
        EXPECT_EQ(Selectionsort(values), expectedLast) << "round " << round;
        EXPECT_EQ(texts(values), texts(expected)) << "round " << round;
    }
}

// The Sort command keeps every number: negative ones sort first, texts after the numbers, and
// only zeros and empty lines go to the end as zeros; the statistics keep their own order.
TEST(Sorting, TheSortCommandKeepsEveryNumber) {
    std::vector<Value> v = {
        Decimal(3),  Decimal::parse("-300.25"), Value(), "Sin(1)", Decimal(0), 2.5,
        Decimal(-1), Decimal::parse("-1E+20")};
    sortTapeValues(v);
    EXPECT_EQ(texts(v), (std::vector<std::string>{"-100000000000000000000", "-300.25", "-1", "2.5",
                                                  "3", "Sin(1)", "0", "0"}));

    std::mt19937 random(22);
    for (int round = 0; round < 20; ++round) {
        std::vector<Value> values = randomValues(random);
        // The reference: a stable sort of what is not blank, then the zeros.
        std::vector<Value> expected;
        std::copy_if(values.begin(), values.end(), std::back_inserter(expected),
                     [](const Value& x) { return !x.isBlank(); });
        std::stable_sort(expected.begin(), expected.end(),
                         [](const Value& a, const Value& b) { return compareValues(a, b) < 0; });
        expected.resize(values.size(), Decimal(0));
        sortTapeValues(values);
        EXPECT_EQ(texts(values), texts(expected)) << "round " << round;
    }
}

} // namespace
} // namespace padrix
