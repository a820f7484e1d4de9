#include "core/Statistics.h"

#include "core/CalcFailure.h"
#include "core/Recalculation.h"

#include <algorithm>

namespace padrix {

namespace {

template <typename T> int sign(const T& a, const T& b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

/// A number value as a decimal; a double out of range throws CalcError(Overflow).
Decimal decimalOf(const Value& v) {
    if (v.isDecimal()) return v.decimal();
    if (v.isDouble()) return Decimal::fromDouble(v.number());
    return Decimal{};
}

} // namespace

int compareValues(const Value& a, const Value& b) {
    if (a.isText() || b.isText()) {
        if (!b.isText()) return 1;
        if (!a.isText()) return -1;
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

int Selectionsort(std::vector<Value>& values) {
    // Same result as sorting everything and then compacting the values above 0: keep those,
    // sort them, fill up with zeros.
    const Value zero = Decimal{};
    auto kept = std::stable_partition(values.begin(), values.end(),
                                      [&](const Value& v) { return compareValues(v, zero) > 0; });
    std::stable_sort(values.begin(), kept,
                     [](const Value& a, const Value& b) { return compareValues(a, b) < 0; });
    std::fill(kept, values.end(), zero);
    return static_cast<int>(kept - values.begin()) - 1;
}

std::optional<std::string> statisticText(const std::vector<Value>& values, int mode,
                                         const NumberLocale& locale, std::vector<Value>* sorted) {
    try {
        if (mode == TotalAverage) {
            Decimal sum;
            long long count = 0;
            for (const Value& v : values) {
                if (!v.isNumber()) continue; // texts and never-written lines take no part
                try {
                    const Decimal d = decimalOf(v);
                    if (d.isZero()) continue;
                    sum = sum + d;
                    ++count;
                } catch (const CalcError&) {
                    // A value beyond the range is left out of the average.
                }
            }
            if (count == 0) return std::nullopt;
            return "Average : " + generalText(sum / Decimal(count), locale);
        }

        std::vector<Value> local;
        std::vector<Value>& a = sorted != nullptr ? *sorted : local;
        a = values;
        // Only numbers count: texts sort after them and end the retained run.
        int last = Selectionsort(a);
        while (last >= 0 && !a[last].isNumber())
            --last;

        if (mode == TotalMean) {
            if (last < 0) return std::nullopt;
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
            if (run > best) modeValue = &a[last];
            return "Mode : " + (modeValue != nullptr ? modeValue->text(locale) : std::string());
        }
    } catch (const CalcError&) {
        // A statistic that cannot be formed leaves the total as it was.
    }
    return std::nullopt;
}

} // namespace padrix
