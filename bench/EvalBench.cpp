#include "eval/Evalation.h"
#include "numbers/CalcFailure.h"

#include <benchmark/benchmark.h>

namespace {

// The sphere-volume button, as the recalculation hands it over for the line Svol(2).
void BM_EvalSphereVolume(benchmark::State& state) {
    padrix::Evalation evaluator;
    const std::string formula = padrix::bindVariables("(4*3.14159265358979*X^3)/3", "2", "0");
    for (auto _ : state) {
        std::string f = formula;
        std::string result = evaluator.EvalFormula(f);
        benchmark::DoNotOptimize(result);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()));
}
BENCHMARK(BM_EvalSphereVolume);

// Formulas of a million characters: groups nested half a million deep, and a long row of
// small groups (which fails once the outer piece passes its token limit).
void BM_EvalLongFormula(benchmark::State& state) {
    const std::size_t length = 1000000;
    std::string formula;
    if (state.range(0) == 0) {
        const std::size_t depth = (length - 1) / 2;
        formula = std::string(depth, '(') + "1" + std::string(depth, ')');
    } else {
        while (formula.size() + 4 <= length)
            formula += "(1)+";
        formula += "1";
    }
    padrix::Evalation evaluator;
    for (auto _ : state) {
        std::string f = formula;
        try {
            benchmark::DoNotOptimize(evaluator.EvalFormula(f));
        } catch (const padrix::CalcError&) {
            // the row of groups is too long a piece; reaching that is what is timed
        }
    }
}
BENCHMARK(BM_EvalLongFormula)->DenseRange(0, 1)->Unit(benchmark::kMillisecond);

} // namespace
