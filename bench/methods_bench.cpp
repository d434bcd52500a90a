// The Compare methods window's work on one typical equation: every method, each with its
// iterates and measured order, as one press of Compare runs them.

#include "engine/checkandtranslate.h"
#include "engine/evaluator.h"
#include "methods/comparison.h"

#include <benchmark/benchmark.h>

namespace {

void BM_CompareMethods(benchmark::State &state)
{
    zv::InitEvaluator();
    const zv::MethodsInput input{zv::CheckAndTranslate(u"x^3-2x-5", true).text, 2, 3,
                                 zv::kDefaultTolerance, 2.5};
    long evaluations = 0;
    std::size_t methods = 0;
    for (auto _ : state) {
        const std::vector<zv::MethodRun> runs = zv::CompareMethods(input);
        benchmark::DoNotOptimize(runs.data());
        evaluations = 0;
        for (const zv::MethodRun &run : runs)
            evaluations += run.evaluations;
        methods = runs.size();
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
    state.counters["methods"] = static_cast<double>(methods);
}
BENCHMARK(BM_CompareMethods)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
