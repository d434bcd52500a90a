#pragma once

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
