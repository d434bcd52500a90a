#pragma once

#include <string>
#include <string_view>

namespace zv {

// Every number the windows show: value rounded to `decimals` places (exact binary value,
// ties to even), then written with at most 15 significant digits, no trailing zeros, the given
// decimal separator, a leading "-" for negatives and a zero before the separator below 1;
// magnitudes of 1e15 and above, or below 1e-4, in exponent form ("1.5E+20", "1E-05").
std::u16string FormatRounded(double value, int decimals, char16_t decimalSeparator = u'.');

// The same number always in plain decimals ("0.00001", "150000000000000000000"), for a text
// that the expression checker reads back as that number: it knows no exponent, and reads
// "1E-05" as 1 times e, minus 5.
std::u16string FormatRoundedPlain(double value, int decimals, char16_t decimalSeparator = u'.');

// Reads back a text written by FormatRounded with the same separator. Returns false for
// anything else (the value is then left alone).
bool ReadNumberText(std::u16string_view text, char16_t decimalSeparator, double &value);

// Number text for project files and settings: "." as separator whatever the locale, a blank
// in place of the sign for values that are not negative, at most 15 significant digits, no
// zero before the point below 1 (" .5", "-.5"), exponent form as FormatRounded ("1E+15").
std::string FormatFileNumber(double value);

// Reads the longest leading number of a text: blanks skipped, then an optional sign, digits,
// an optional fraction and an optional exponent, as far as they fit; "." is the separator.
// A text with no leading number gives 0. Values beyond the double range give +-infinity.
double ReadLeadingNumber(std::u16string_view text);

} // namespace zv
