#include "engine/round15.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>

namespace zv {

namespace {

// Powers of ten that are exact doubles, and the powers of five behind them.
constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                   1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                   1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
constexpr int kMaxExactPower = 22;

constexpr uint64_t Pow5(int n)
{
    return n == 0 ? 1 : 5 * Pow5(n - 1);
}

constexpr uint64_t kPowersOfFive[] = {Pow5(0),  Pow5(1),  Pow5(2),  Pow5(3),  Pow5(4),  Pow5(5),
                                      Pow5(6),  Pow5(7),  Pow5(8),  Pow5(9),  Pow5(10), Pow5(11),
                                      Pow5(12), Pow5(13), Pow5(14), Pow5(15), Pow5(16), Pow5(17),
                                      Pow5(18), Pow5(19), Pow5(20), Pow5(21), Pow5(22)};

constexpr uint64_t kLow = 100'000'000'000'000; // 15-digit integers lie in [1e14, 1e15)
constexpr uint64_t kHigh = 1'000'000'000'000'000;

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
    // |x| = m * 2^k exactly. The 15-digit integer N is round(|x| * 10^s) for the s that puts it
    // in [1e14, 1e15); with 10^s = 5^s * 2^s that is round(m * 5^s * 2^(k+s)), which 128-bit
    // integers give exactly, ties to even included. Then N / 10^s is one correctly rounded
    // division, the same double as reading the 15-digit text back. Magnitudes outside
    // [1e-8, 1e15), subnormals and specials take the text route.
    const auto bits = std::bit_cast<uint64_t>(x);
    const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
    if (biasedExponent == 0 || biasedExponent == 0x7FF)
        return (x == 0 || !std::isfinite(x)) ? x : RoundTo15DigitsByText(x);
    const uint64_t m = (bits & ((uint64_t(1) << 52) - 1)) | (uint64_t(1) << 52);
    const int k = biasedExponent - 1075;

    // floor(log10(2^(k+52))) estimates the decimal exponent; the loop corrects it.
    int s = 14 - ((k + 52) * 78913 >> 18);
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (s < 0 || s > kMaxExactPower)
            return RoundTo15DigitsByText(x);
        const unsigned __int128 product = static_cast<unsigned __int128>(m) * kPowersOfFive[s];
        const int shift = -(k + s);
        if (shift <= 0) { // the value is at least m >= 2^52 > 1e15
            --s;
            continue;
        }
        if (shift >= 128) {
            ++s;
            continue;
        }
        const auto whole = static_cast<uint64_t>(product >> shift);
        const unsigned __int128 rest = product - (static_cast<unsigned __int128>(whole) << shift);
        if (whole < kLow) {
            ++s;
            continue;
        }
        if (whole >= kHigh) {
            --s;
            continue;
        }
        const unsigned __int128 half = static_cast<unsigned __int128>(1) << (shift - 1);
        const uint64_t n = whole + ((rest > half || (rest == half && (whole & 1))) ? 1 : 0);
        return std::copysign(static_cast<double>(n) / kExactPowers[s], x);
    }
    return RoundTo15DigitsByText(x);
}

} // namespace zv
