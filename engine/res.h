#pragma once

#include "engine/errortext.h"

#include <cmath>
#include <cstdint>
#include <limits>

namespace zv {

// The variable, the constants and the functions that the expression language takes from the
// evaluation host rather than from the arithmetic itself. A function that meets an argument
// outside its domain records the fault in `eroare`, returns 0 and lets the expression run on
// (the last fault of an evaluation wins). A function whose arithmetic overflows returns an
// infinite value, which the evaluator reports as an overflow.
class Res
{
public:
    double pi = 0.0;
    double e = 0.0;
    double x = 0.0;
    int16_t eroare = 0;

    // The 15-digit constants, stored as their nearest doubles (not full-precision pi and e).
    static constexpr double kPi = 3.14159265358979;
    static constexpr double kE = 2.71828182845905;
    static constexpr double kOneThird = 0.333333333333333;

    void set_c();
    void setx(double v);

    double ln(double v);
    double r(double v);
    double r3(double v);
    double frac(double v);
    double tg(double v);
    double arcsin(double v);
    double arccos(double v);
    double arctg(double v);
    double sh(double v);
    double ch(double v);
    double th(double v);
};

// Defined here so that the evaluator's loop can inline them.

inline void Res::set_c()
{
    pi = kPi;
    e = kE;
}

inline void Res::setx(double v)
{
    x = v;
    eroare = 0;
}

inline double Res::ln(double v)
{
    if (v <= 0) {
        eroare = kLnDomain;
        return 0;
    }
    return std::log(v);
}

inline double Res::r(double v)
{
    if (v < 0) {
        eroare = kSqrtDomain;
        return 0;
    }
    return std::sqrt(v);
}

inline double Res::r3(double v)
{
    if (v == 0)
        return 0;
    if (v > 0)
        return std::exp(std::log(v) * kOneThird);
    return -std::exp(std::log(-v) * kOneThird);
}

inline double Res::frac(double v)
{
    return v - std::floor(v);
}

inline double Res::tg(double v)
{
    if (std::fabs(std::cos(v)) <= 1e-12) {
        eroare = kTgPole;
        return 0;
    }
    return std::tan(v);
}

inline double Res::arcsin(double v)
{
    if (v > -1 && v < 1)
        return std::atan(v / std::sqrt(1 - v * v));
    if (v == -1)
        return -pi * 0.5;
    if (v == 1)
        return pi * 0.5;
    eroare = kArcsinDomain;
    return 0;
}

inline double Res::arccos(double v)
{
    if (v > 0 && v <= 1)
        return std::atan(std::sqrt(1 - v * v) / v);
    if (v >= -1 && v < 0)
        return std::atan(std::sqrt(1 - v * v) / v) + pi;
    if (v == 0)
        return pi / 2;
    eroare = kArccosDomain;
    return 0;
}

inline double Res::arctg(double v)
{
    return std::atan(v);
}

inline double Res::sh(double v)
{
    const double ep = std::exp(v), em = std::exp(-v);
    if (std::isinf(ep) || std::isinf(em))
        return std::numeric_limits<double>::infinity();
    return (ep - em) / 2;
}

inline double Res::ch(double v)
{
    const double ep = std::exp(v), em = std::exp(-v);
    if (std::isinf(ep) || std::isinf(em))
        return std::numeric_limits<double>::infinity();
    return (ep + em) / 2;
}

inline double Res::th(double v)
{
    // Each exponential is checked on its own: th(1000) is an overflow, not 1.
    const double ep = std::exp(v), em = std::exp(-v);
    if (std::isinf(ep) || std::isinf(em))
        return std::numeric_limits<double>::infinity();
    return (ep - em) / (em + ep);
}

} // namespace zv
