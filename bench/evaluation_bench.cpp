// Speed of the expression engine and of the root scan, with a hand-written C++ function and
// muparser as yardsticks. Run with `make bench` (add BENCH_ARGS=--benchmark_format=json).

#include "engine/evaluator.h"
#include "engine/program.h"
#include "engine/res.h"
#include "roots/rootscan.h"

#include <benchmark/benchmark.h>
#include <muParser.h>

#include <array>
#include <cmath>
#include <functional>
#include <string>
#include <vector>

namespace {

struct SuiteEntry
{
    std::u16string text;  // our expression language
    std::string muparser; // the same function in muparser's syntax
    std::function<double(double)> native;
};

const std::array<SuiteEntry, 9> &Suite()
{
    static const std::array<SuiteEntry, 9> suite = {{
        {u"x^2-4", "x^2-4", [](double x) { return std::pow(x, 2) - 4; }},
        {u"3^x-x^3", "3^x-x^3", [](double x) { return std::pow(3, x) - std::pow(x, 3); }},
        {u"x^x-4", "x^x-4", [](double x) { return std::pow(x, x) - 4; }},
        {u"2^x+3^x+6^x-x^2", "2^x+3^x+6^x-x^2",
         [](double x) {
             return std::pow(2, x) + std::pow(3, x) + std::pow(6, x) - std::pow(x, 2);
         }},
        {u"(x+2)^2+(x+3)^3+(x+4)^4-2", "(x+2)^2+(x+3)^3+(x+4)^4-2",
         [](double x) { return std::pow(x + 2, 2) + std::pow(x + 3, 3) + std::pow(x + 4, 4) - 2; }},
        {u"sin(x)-cos(x)", "sin(x)-cos(x)", [](double x) { return std::sin(x) - std::cos(x); }},
        {u"arctg(x)+arctg(x^2)", "atan(x)+atan(x^2)",
         [](double x) { return std::atan(x) + std::atan(std::pow(x, 2)); }},
        {u"exp(-x)*sin(3*x)+r(abs(x))", "exp(-x)*sin(3*x)+sqrt(abs(x))",
         [](double x) { return std::exp(-x) * std::sin(3 * x) + std::sqrt(std::fabs(x)); }},
        {u"ln(x^2+1)-x/3", "ln(x^2+1)-x/3",
         [](double x) { return std::log(std::pow(x, 2) + 1) - x / 3; }},
    }};
    return suite;
}

// x steps over [-3; 3] like a scan, so that nothing can be folded away.
const std::vector<double> &Points()
{
    static const std::vector<double> points = [] {
        std::vector<double> p;
        const double h = 6.0 / 1000;
        double x = -3 - h;
        for (int i = 0; i <= 1000; ++i)
            p.push_back(x += h);
        return p;
    }();
    return points;
}

// The function in our language, as the label of the benchmark (bench/table.py shows it).
void LabelWithFunction(benchmark::State &state)
{
    const std::u16string &text = Suite()[static_cast<size_t>(state.range(0))].text;
    state.SetLabel(std::string(text.begin(), text.end())); // ASCII only
}

template<typename F>
void Loop(benchmark::State &state, F f)
{
    LabelWithFunction(state);
    const auto &points = Points();
    size_t i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(f(points[i]));
        if (++i == points.size())
            i = 0;
    }
}

void BM_Native(benchmark::State &state)
{
    const auto &f = Suite()[static_cast<size_t>(state.range(0))].native;
    Loop(state, [&f](double x) { return f(x); });
}

void BM_MuParser(benchmark::State &state)
{
    double x = 0;
    mu::Parser parser;
    parser.DefineVar("x", &x);
    parser.SetExpr(Suite()[static_cast<size_t>(state.range(0))].muparser);
    parser.Eval(); // compiles once
    Loop(state, [&](double v) {
        x = v;
        return parser.Eval();
    });
}

void BM_Compiled(benchmark::State &state)
{
    const auto program = zv::Program::Compile(Suite()[static_cast<size_t>(state.range(0))].text);
    zv::Res res;
    res.set_c();
    Loop(state, [&](double v) {
        res.setx(v);
        int16_t code = 0;
        const double value = program.Run(res, code);
        benchmark::DoNotOptimize(code);
        return value;
    });
}

void BM_Evaluate(benchmark::State &state)
{
    zv::InitEvaluator();
    const std::u16string &text = Suite()[static_cast<size_t>(state.range(0))].text;
    Loop(state, [&](double v) {
        int16_t code = 0;
        const double value = zv::Evaluate(text, v, code);
        benchmark::DoNotOptimize(code);
        return value;
    });
}

// The graph window's scan of [-3; 3]; `evaluations` counts the evaluations of f it made, so
// that its time can be set against that many single evaluations.
void Scan(benchmark::State &state, int precision)
{
    zv::InitEvaluator();
    const std::u16string &text = Suite()[static_cast<size_t>(state.range(0))].text;
    long evaluations = 0;
    for (auto _ : state) {
        const auto result = zv::ScanForRoots(text, -3, 3, precision);
        evaluations = result.evaluations;
        benchmark::DoNotOptimize(result.lines.data());
    }
    state.counters["evaluations"] = static_cast<double>(evaluations);
    LabelWithFunction(state);
}

void BM_Scan(benchmark::State &state)
{
    Scan(state, 100);
}
void BM_Scan800(benchmark::State &state)
{
    Scan(state, 800);
}

} // namespace

BENCHMARK(BM_Native)->DenseRange(0, 8);
BENCHMARK(BM_MuParser)->DenseRange(0, 8);
BENCHMARK(BM_Compiled)->DenseRange(0, 8);
BENCHMARK(BM_Evaluate)->DenseRange(0, 8);
BENCHMARK(BM_Scan)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_Scan800)->DenseRange(0, 8)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
