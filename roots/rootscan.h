#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace zv {

struct RootScanResult
{
    // The roots rounded to 6 decimals, in the order the scan found them, never twice.
    std::vector<double> roots;
    // The same roots as the list shows them (FormatRounded with 6 decimals).
    std::vector<std::u16string> lines;
    // Evaluations of f the scan made, derivatives and bracket searches included.
    long evaluations = 0;
    // The scan was told to stop before its end: the roots are those found up to there.
    bool stopped = false;
    // Whether f had a value at any scan point, and the engine's code at the first point where
    // it had none (0 when it never failed).
    bool anyValue = false;
    int16_t firstFailure = 0;

    // The engine's code when f has a value at no point of a finished scan: then nothing of the
    // interval can be evaluated, which is a failure to report, not "no root". 0 otherwise, and
    // when f fails only at some points (poles, the ends of its domain).
    int16_t NothingEvaluable() const { return anyValue || stopped ? 0 : firstFailure; }
};

// Asked between two steps of a scan whether to go on. A window passes one that keeps itself
// alive through a long scan and lets the user stop it.
using KeepScanning = std::function<bool()>;

// The graph window's root scan of a translated expression over [a; b] at the given drawing
// precision (20..800): 5 x precision steps from a - h to b + h, sign changes refined by
// SafeRoot, touching roots found through DerivativeZero where the sampled derivative changes
// sign. keepGoing, when given, is asked between steps; once it answers false the scan ends
// there.
RootScanResult ScanForRoots(std::u16string_view expression, double a, double b, int precision,
                            char16_t decimalSeparator = u'.', const KeepScanning &keepGoing = {});

} // namespace zv
