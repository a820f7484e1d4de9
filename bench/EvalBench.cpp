#include "eval/Evalation.h"

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

} // namespace
