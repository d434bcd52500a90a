#include "engine/res.h"

#include "engine/errortext.h"

#include <cmath>
#include <limits>

namespace zv {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

} // namespace

void Res::set_c()
{
    pi = kPi;
    e = kE;
}

void Res::setx(double v)
{
    x = v;
    eroare = 0;
}

double Res::ln(double v)
{
    if (v <= 0) {
        eroare = kLnDomain;
        return 0;
    }
    return std::log(v);
}

double Res::r(double v)
{
    if (v < 0) {
        eroare = kSqrtDomain;
        return 0;
    }
    return std::sqrt(v);
}

double Res::r3(double v)
{
    if (v == 0)
        return 0;
    if (v > 0)
        return std::exp(std::log(v) * kOneThird);
    return -std::exp(std::log(-v) * kOneThird);
}

double Res::frac(double v)
{
    return v - std::floor(v);
}

double Res::tg(double v)
{
    if (std::fabs(std::cos(v)) <= 1e-12) {
        eroare = kTgPole;
        return 0;
    }
    return std::tan(v);
}

double Res::arcsin(double v)
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

double Res::arccos(double v)
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

double Res::arctg(double v)
{
    return std::atan(v);
}

double Res::sh(double v)
{
    const double ep = std::exp(v), em = std::exp(-v);
    if (std::isinf(ep) || std::isinf(em))
        return kInf;
    return (ep - em) / 2;
}

double Res::ch(double v)
{
    const double ep = std::exp(v), em = std::exp(-v);
    if (std::isinf(ep) || std::isinf(em))
        return kInf;
    return (ep + em) / 2;
}

double Res::th(double v)
{
    // Each exponential is checked on its own: th(1000) is an overflow, not 1.
    const double ep = std::exp(v), em = std::exp(-v);
    if (std::isinf(ep) || std::isinf(em))
        return kInf;
    return (ep - em) / (em + ep);
}

} // namespace zv
