#pragma once

namespace zv {

// x rounded to 15 significant digits: the double that printing x with 15 significant digits
// and reading the text back gives (ties of the exact binary value to even). Infinite and NaN
// values come back unchanged; a value that rounds beyond the double range becomes infinite.
double RoundTo15Digits(double x);

// The same by way of text; the reference the fast route is checked against.
double RoundTo15DigitsByText(double x);

} // namespace zv
