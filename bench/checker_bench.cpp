// The checker and translation on long texts full of implicit products ("2x+2x+...+x"): the
// time per character must stay flat from 64 KB to 4 MB.
#include "engine/checkandtranslate.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

std::u16string ImplicitProducts(size_t length)
{
    std::u16string text;
    text.reserve(length + 1);
    while (text.size() + 3 < length)
        text += u"2x+";
    text += u"x";
    return text;
}

void BM_CheckImplicitProducts(benchmark::State &state)
{
    const std::u16string text = ImplicitProducts(static_cast<size_t>(state.range(0)));
    for (auto _ : state) {
        const zv::CheckResult result = zv::CheckAndTranslate(text, true);
        benchmark::DoNotOptimize(result.text.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(text.size()));
    // Nanoseconds per character: flat when the checker is linear.
    state.counters["ns_per_char"] = benchmark::Counter(
        static_cast<double>(text.size()),
        benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

} // namespace

BENCHMARK(BM_CheckImplicitProducts)
    ->Arg(64 << 10)
    ->Arg(256 << 10)
    ->Arg(1 << 20)
    ->Arg(4 << 20)
    ->Unit(benchmark::kMillisecond);
