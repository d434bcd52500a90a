#pragma once

#include <cstdint>

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

} // namespace zv
