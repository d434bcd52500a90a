#include "engine/round15.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zv {

namespace {

// Powers of ten that are exact doubles.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;
constexpr double kLow = 1e14; // 15-digit integers lie in [1e14, 1e15)
constexpr double kHigh = 1e15;

// v = p + e exactly (p the rounded product, e its error): is v >= t, for a double t?
bool AtLeast(double p, double e, double t)
{
    return p > t || (p == t && e >= 0);
}

} // namespace

double RoundTo15DigitsByText(double x)
{
    if (!std::isfinite(x) || x == 0)
        return x;
    char buffer[64];
    const auto printed =
        std::to_chars(buffer, buffer + sizeof buffer, x, std::chars_format::scientific, 14);
    double value = 0;
    const auto read = std::from_chars(buffer, printed.ptr, value);
    if (read.ec == std::errc::result_out_of_range)
        return std::copysign(std::numeric_limits<double>::infinity(), x);
    return value;
}

double RoundTo15Digits(double x)
{
    if (!std::isfinite(x) || x == 0)
        return x;
    const double ax = std::fabs(x);

    // Decimal exponent estimate from the binary one; corrected below against exact bounds.
    int binaryExponent = 0;
    std::frexp(ax, &binaryExponent);
    int decimalExponent = static_cast<int>(std::floor((binaryExponent - 1) * 0.30102999566398120));
    int q = decimalExponent - 14; // the 15-digit integer N is ax / 10^q

    for (int attempt = 0; attempt < 3; ++attempt) {
        if (q > 0 || -q > kMaxExactPower)
            return RoundTo15DigitsByText(x);
        // ax * 10^-q, split into its rounded product and the exact error (no double rounding).
        const double scale = kExactPowers[-q];
        const double p = ax * scale;
        const double err = std::fma(ax, scale, -p);
        if (!AtLeast(p, err, kLow)) {
            --q;
            continue;
        }
        if (AtLeast(p, err, kHigh)) {
            ++q;
            continue;
        }
        // Round p + err to an integer, ties to even on the exact value.
        double n = std::nearbyint(p);
        const double d = p - n; // exact: p and n are close and p's ulp is at most 1/8 here
        if (d == 0.5) {
            if (err > 0)
                n += 1;
        } else if (d == -0.5) {
            if (err < 0)
                n -= 1;
        }
        // n < 2^53 and 10^-q exact: one correctly rounded division, as reading the text would.
        return std::copysign(n / scale, x);
    }
    return RoundTo15DigitsByText(x);
}

} // namespace zv
