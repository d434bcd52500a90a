// The worst a user can reach through an entry field: a function of 32,767 characters (the
// fields' limit) on [-1000; 1000] at the highest drawing precision, 800. Plot sampling, root
// scan and Newton, each timed as one call of what the window runs.

#include "engine/checkandtranslate.h"
#include "engine/evaluator.h"
#include "graph/curvesampling.h"
#include "roots/newtonsolve.h"
#include "roots/rootscan.h"
#include "worstcase.h"

#include <benchmark/benchmark.h>

namespace {

constexpr double kA = -1000;
constexpr double kB = 1000;
constexpr int kPrecision = 800;

// What the window holds: the field's text after the check and translation.
const std::u16string &Translated(const std::u16string &typed)
{
    static std::u16string translated;
    translated = zv::CheckAndTranslate(typed, true).text;
    return translated;
}

void BM_WorstCheck(benchmark::State &state)
{
    const std::u16string typed = zv::bench::LongestFunction();
    for (auto _ : state) {
        const zv::CheckResult result = zv::CheckAndTranslate(typed, true);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.counters["characters"] = static_cast<double>(typed.size());
}

void BM_WorstEvaluate(benchmark::State &state)
{
    zv::InitEvaluator();
    const std::u16string text = Translated(zv::bench::LongestFunction());
    double x = 0.5;
    for (auto _ : state) {
        int16_t code = 0;
        benchmark::DoNotOptimize(zv::Evaluate(text, x, code));
        x += 0.001;
    }
}

// The plot's sampling: precision + 1 evaluations over the standard vertical range of
// [-1000; 1000], which is the interval itself.
void BM_WorstPlotSampling(benchmark::State &state)
{
    zv::InitEvaluator();
    const std::u16string text = Translated(zv::bench::LongestFunction());
    const auto f = [&text](double x, int16_t &code) { return zv::Evaluate(text, x, code); };
    for (auto _ : state) {
        const zv::SampledCurve curve = zv::SampleCurve(f, kA, kB, kA, kB, kPrecision);
        benchmark::DoNotOptimize(curve.pieces.data());
    }
}

// At the precision a window opens with (100) and at the highest (800).
void BM_WorstScan(benchmark::State &state)
{
    zv::InitEvaluator();
    const std::u16string text = Translated(zv::bench::LongestFunction());
    const int precision = static_cast<int>(state.range(0));
    zv::RootScanResult result;
    for (auto _ : state) {
        result = zv::ScanForRoots(text, kA, kB, precision);
        benchmark::DoNotOptimize(result.lines.data());
    }
    state.counters["evaluations"] = static_cast<double>(result.evaluations);
    state.counters["roots"] = static_cast<double>(result.roots.size());
}

// Newton from a point near a root, and on the same length of text without a root, where the
// iteration spends its whole budget of 100 steps.
void Newton(benchmark::State &state, const std::u16string &typed, double x0)
{
    zv::InitEvaluator();
    const std::u16string text = Translated(typed);
    int16_t status = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(zv::NewtonSolve(text, x0, status));
    }
    state.counters["status"] = status;
}

void BM_WorstNewton(benchmark::State &state)
{
    Newton(state, zv::bench::LongestFunction(), 3);
}

void BM_WorstNewtonNoRoot(benchmark::State &state)
{
    Newton(state, zv::bench::LongestFunctionWithoutRoot(), 3);
}

} // namespace

BENCHMARK(BM_WorstCheck)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorstEvaluate)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstPlotSampling)->Unit(benchmark::kMillisecond);
// Seconds per run: a few runs give the median.
BENCHMARK(BM_WorstScan)
    ->Arg(100)
    ->Arg(kPrecision)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(5);
BENCHMARK(BM_WorstNewton)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WorstNewtonNoRoot)->Unit(benchmark::kMillisecond);
