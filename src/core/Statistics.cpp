#include "core/Statistics.h"

#include "numbers/CalcFailure.h"

#include <algorithm>
#include <bit>
#include <cstdint>

namespace padrix {

namespace {

template <typename T> int sign(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

/// A number value as a decimal; a double out of range throws CalcError(Overflow).
Decimal decimalOf(const Value& v) {
    if (v.isDecimal())
        return v.decimal();
    if (v.isDouble())
        return Decimal::fromDouble(v.number());
    return Decimal{};
}

} // namespace

int compareValues(const Value& a, const Value& b) {
    if (a.isText() || b.isText()) {
        if (!b.isText())
            return 1;
        if (!a.isText())
            return -1;
        // Character codes, as unsigned bytes.
        return sign(std::string_view(a.textValue()), std::string_view(b.textValue()));
    }
    if (a.isDouble() || b.isDouble()) {
        const double x = a.isDouble() ? a.number() : (a.isDecimal() ? a.decimal().toDouble() : 0);
        const double y = b.isDouble() ? b.number() : (b.isDecimal() ? b.decimal().toDouble() : 0);
        return sign(x, y);
    }
    const Decimal& zero = Decimal{};
    const Decimal& x = a.isDecimal() ? a.decimal() : zero;
    const Decimal& y = b.isDecimal() ? b.decimal() : zero;
    return sign(x, y);
}

namespace {

/// A double's bits turned so that they order like the doubles themselves: a positive
/// double's bits order like integers, a negative one's the other way round.
std::uint64_t orderKey(double x) {
    const auto bits = std::bit_cast<std::uint64_t>(x);
    constexpr std::uint64_t SignBit = std::uint64_t(1) << 63;
    return (bits & SignBit) != 0 ? ~bits : bits | SignBit;
}

/// Sorts nonzero number values by value, keeping equal ones in their order: first by their
/// nearest double (a stable radix sort of orderKey), then exactly within each run of equal
/// doubles.
void sortNumbers(std::vector<Value>::iterator first, std::vector<Value>::iterator last) {
    const auto n = static_cast<std::size_t>(last - first);
    std::vector<std::uint64_t> keys(n);
    std::vector<std::uint32_t> order(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Value& v = first[static_cast<std::ptrdiff_t>(i)];
        keys[i] = orderKey(v.isDouble() ? v.number() : v.decimal().toDouble());
        order[i] = static_cast<std::uint32_t>(i);
    }
    constexpr int DigitBits = 11;
    constexpr std::size_t Buckets = std::size_t(1) << DigitBits;
    std::vector<std::uint64_t> keysOut(n);
    std::vector<std::uint32_t> orderOut(n);
    for (int shift = 0; shift < 64; shift += DigitBits) {
        std::vector<std::size_t> count(Buckets + 1, 0);
        for (std::uint64_t k : keys)
            ++count[((k >> shift) & (Buckets - 1)) + 1];
        if (std::find(count.begin(), count.end(), n) != count.end())
            continue; // every key has the same figure here
        for (std::size_t b = 1; b <= Buckets; ++b)
            count[b] += count[b - 1];
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t slot = count[(keys[i] >> shift) & (Buckets - 1)]++;
            keysOut[slot] = keys[i];
            orderOut[slot] = order[i];
        }
        keys.swap(keysOut);
        order.swap(orderOut);
    }
    std::vector<Value> sorted;
    sorted.reserve(n);
    for (std::uint32_t index : order)
        sorted.push_back(std::move(first[index]));
    for (std::size_t run = 0; run < n;) {
        std::size_t end = run + 1;
        while (end < n && keys[end] == keys[run])
            ++end;
        if (end - run > 1)
            std::stable_sort(
                sorted.begin() + static_cast<std::ptrdiff_t>(run),
                sorted.begin() + static_cast<std::ptrdiff_t>(end),
                [](const Value& a, const Value& b) { return compareValues(a, b) < 0; });
        run = end;
    }
    std::move(sorted.begin(), sorted.end(), first);
}

/// The same as compareValues(v, 0) > 0, without building a comparison.
bool isAboveZero(const Value& v) {
    switch (v.kind()) {
    case Value::Kind::Decimal:
        return !v.decimal().isZero() && !v.decimal().isNegative();
    case Value::Kind::Double:
        return v.number() > 0;
    case Value::Kind::Text:
        return true; // texts sort after all numbers
    case Value::Kind::Empty:
        return false;
    }
    return false;
}

} // namespace

void AverageSum::add(const Value& v) {
    if (!v.isNumber())
        return; // texts and never-written lines take no part
    try {
        const Decimal d = decimalOf(v);
        if (d.isZero())
            return;
        sum = sum + d;
        ++count;
    } catch (const CalcError&) {
        // A value beyond the range, or one that would take the sum beyond it, is left out.
    }
}

std::string AverageSum::text(const NumberLocale& locale) const {
    return "Average : " + generalText(sum / Decimal(count), locale);
}

namespace {

/// Keeps the values that `keep` takes at the front, sorted (numbers before texts), and fills
/// the rest with zeros; gives where the zeros begin.
template <class Keep> std::vector<Value>::iterator sortKept(std::vector<Value>& values, Keep keep) {
    const auto kept = std::stable_partition(values.begin(), values.end(), keep);
    const auto texts =
        std::stable_partition(values.begin(), kept, [](const Value& v) { return !v.isText(); });
    sortNumbers(values.begin(), texts);
    std::stable_sort(texts, kept,
                     [](const Value& a, const Value& b) { return compareValues(a, b) < 0; });
    std::fill(kept, values.end(), Value(Decimal{}));
    return kept;
}

} // namespace

int Selectionsort(std::vector<Value>& values) {
    // Same result as sorting everything and then compacting the values above 0.
    return static_cast<int>(sortKept(values, isAboveZero) - values.begin()) - 1;
}

void sortTapeValues(std::vector<Value>& values) {
    sortKept(values, [](const Value& v) { return !v.isBlank(); });
}

std::optional<std::string> statisticText(const std::vector<Value>& values, int mode,
                                         const NumberLocale& locale, std::vector<Value>* sorted) {
    try {
        if (mode == TotalAverage) {
            AverageSum average;
            for (const Value& v : values)
                average.add(v);
            if (average.count == 0)
                return std::nullopt;
            return average.text(locale);
        }

        std::vector<Value> local;
        std::vector<Value>& a = sorted != nullptr ? *sorted : local;
        a = values;
        // Only numbers count: texts sort after them and end the retained run.
        int last = Selectionsort(a);
        while (last >= 0 && !a[last].isNumber())
            --last;

        if (mode == TotalMean) {
            if (last < 0)
                return std::nullopt;
            if (last % 2 == 1) {
                const int m = last / 2;
                const Decimal low = decimalOf(a[m]);
                const Decimal high = decimalOf(a[m + 1]);
                return "Mean : " + generalText(low + (high - low) / Decimal(2), locale);
            }
            return "Mean : " + a[last / 2].text(locale);
        }

        if (mode == TotalMode) {
            int run = 0;
            int best = 0;
            const Value* modeValue = nullptr;
            for (int i = 0; i <= last; ++i) {
                if (i > 0 && compareValues(a[i], a[i - 1]) == 0) {
                    ++run;
                } else {
                    if (run > best) {
                        best = run;
                        modeValue = &a[i - 1];
                    }
                    run = 1;
                }
            }
            if (run > best)
                modeValue = &a[last];
            return "Mode : " + (modeValue != nullptr ? modeValue->text(locale) : std::string());
        }
    } catch (const CalcError&) {
        // A statistic that cannot be formed leaves the total as it was.
    }
    return std::nullopt;
}

} // namespace padrix
