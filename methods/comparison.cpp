#include "methods/comparison.h"

#include "methods/bracketing.h"
#include "methods/openmethods.h"

namespace zv {

std::vector<MethodRun> CompareMethods(const MethodsInput &input)
{
    const std::u16string_view f = input.expression;
    const double a = input.a;
    const double b = input.b;
    const double tol = input.tolerance;
    std::vector<MethodRun> runs;
    runs.push_back(Bisection(f, a, b, tol));
    runs.push_back(RegulaFalsi(f, a, b, tol));
    runs.push_back(Illinois(f, a, b, tol));
    runs.push_back(Secant(f, a, b, tol, input.x0, SecantSecondPoint(a, b, input.x0)));
    runs.push_back(Newton(f, a, b, tol, input.x0));
    if (const int m = runs.back().diagnosedMultiplicity; m > 1)
        runs.push_back(Newton(f, a, b, tol, input.x0, m));
    runs.push_back(Brent(f, a, b, tol));
    runs.push_back(ZerovaneSearch(f, a, b, tol));
    return runs;
}

} // namespace zv
