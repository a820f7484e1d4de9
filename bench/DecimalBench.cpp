#include "numbers/Decimal.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace {

using padrix::Decimal;

/// A spread of everyday tape numbers: integers, cents and long fractions.
std::vector<Decimal> operands() {
    std::vector<Decimal> v;
    const char* texts[] = {"12.5",
                           "1234.56",
                           "0.07",
                           "99",
                           "3.14159265358979",
                           "100000",
                           "0.3333333333333333333333333333",
                           "-42.125"};
    for (int i = 0; i < 64; ++i)
        v.push_back(Decimal::parse(texts[i % 8]) + Decimal(i));
    return v;
}

void BM_DecimalAdd(benchmark::State& state) {
    const auto v = operands();
    Decimal total;
    std::size_t i = 0;
    for (auto _ : state) {
        total = v[i & 63] + v[(i + 1) & 63];
        benchmark::DoNotOptimize(total);
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_DecimalAdd);

// The recalculation's pattern: a running total fed by cents.
void BM_DecimalRunningSum(benchmark::State& state) {
    const Decimal cents = Decimal::parse("12.34");
    for (auto _ : state) {
        Decimal total;
        for (int i = 0; i < 1000; ++i)
            total = total + cents;
        benchmark::DoNotOptimize(total);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * 1000);
}
BENCHMARK(BM_DecimalRunningSum);

void BM_DecimalMultiply(benchmark::State& state) {
    const auto v = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        Decimal p = v[i & 63] * v[(i + 3) & 63];
        benchmark::DoNotOptimize(p);
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_DecimalMultiply);

void BM_DecimalDivide(benchmark::State& state) {
    const auto v = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        Decimal q = v[i & 63] / v[(i + 5) & 63];
        benchmark::DoNotOptimize(q);
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_DecimalDivide);

void BM_DecimalToString(benchmark::State& state) {
    const auto v = operands();
    std::size_t i = 0;
    for (auto _ : state) {
        std::string s = v[i & 63].toString();
        benchmark::DoNotOptimize(s);
        ++i;
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_DecimalToString);

} // namespace
