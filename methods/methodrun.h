#pragma once

#include <cmath>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zv {

// The methods compared, in the order they are listed.
enum class Method {
    kBisection,
    kRegulaFalsi,
    kIllinois,
    kSecant,
    kNewton,
    kNewtonMultiplicity, // x - m f/f', when Newton's steps showed a root of multiplicity m
    kBrent,
    kZerovane, // SafeRoot, the program's own search
};

// Why a method stopped.
enum class StopReason {
    kConverged,        // the tolerance was met, or f was exactly 0
    kNoSignChange,     // a bracketing method's ends have f of one sign
    kFlatTangent,      // f' (or the chord's slope) is 0 away from a root
    kCycle,            // the iterates came back to a point they had left
    kLeftDomain,       // an iterate fell where f is not defined (ln of a negative number)
    kDiverging,        // the iterates kept moving away from the interval
    kBudgetSpent,      // kMaxSteps steps without meeting the tolerance
    kEvaluationFailed, // f could not be computed at a start point, or overflowed
};

// One point of a method's sequence.
struct Iterate
{
    int k = 0;
    double x = 0.0;
    double fx = NAN; // NaN where the method did not evaluate f (the point SafeRoot returns)
    // The bracket [lo; hi] the method keeps after this step, for bracketing methods.
    std::optional<double> lo;
    std::optional<double> hi;
};

// The measured order of convergence from the errors |x_k - root|.
struct ConvergenceOrder
{
    std::optional<double> order; // none: too few steps to tell
    std::optional<double> ratio; // e_{k+1} / e_k, for linear convergence
};

struct MethodRun
{
    Method method = Method::kBisection;
    int multiplicity = 0; // for kNewtonMultiplicity: the m of its step
    // Newton's diagnosis (kNewton only): the multiplicity its steady steps show, or 0.
    int diagnosedMultiplicity = 0;
    // The start points (Newton's x0, the secant's two points; none for bracketing methods)
    // first, then one entry per step.
    std::vector<Iterate> iterates;
    int starts = 0;
    // f at the interval's ends, for bracketing methods (NaN where not evaluated).
    double fa = NAN;
    double fb = NAN;
    long evaluations = 0; // of f, four for each derivative
    StopReason stop = StopReason::kBudgetSpent;
    std::string errorText; // ErrorText of the failed evaluation, for kLeftDomain and
                           // kEvaluationFailed
    double root = NAN;     // the last point reached; a root when converged
    ConvergenceOrder convergence;

    bool Converged() const { return stop == StopReason::kConverged; }
    int Steps() const { return static_cast<int>(iterates.size()) - starts; }
};

// Whether the method keeps a bracket [lo; hi] around the root (all but secant and Newton).
bool IsBracketing(Method method);

// The method's name as the table and the console show it ("newton (multiplicity 3)").
std::string MethodName(const MethodRun &run);
// The status word of the console's JSON: "converged", "no-sign-change", "flat", "cycle",
// "left-domain", "diverging", "budget-spent" or "failed".
std::string StatusWord(const MethodRun &run);
// Why the method stopped, in words for the tables ("flat tangent", "flat chord", or the error
// text of a failed evaluation).
std::string StopText(const MethodRun &run);
// The order column: "2.00", "1 (ratio 0.667)", or "too few steps".
std::string OrderText(const ConvergenceOrder &convergence);

} // namespace zv
