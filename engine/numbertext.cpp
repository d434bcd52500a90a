#include "engine/numbertext.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

namespace zv {

namespace {

constexpr int kSignificantDigits = 15;
// Decimal exponents outside [kLowestPlainExponent, kHighestPlainExponent] are written in
// exponent form: magnitudes below 1e-4 or from 1e15 up.
constexpr int kLowestPlainExponent = -4;
constexpr int kHighestPlainExponent = 14;
// Far beyond any double; with the number of mantissa digits added (which can shift the
// magnitude by at most their count), keeps a long run of exponent digits from overflowing
// without changing what the number means.
constexpr long long kExponentClamp = 100000;

// A finite value written with at most 15 significant digits: value = 0.d1d2d3... x 10^(exponent+1),
// so `exponent` is the decimal exponent of the first digit. Zero has the digits "0".
struct Decimal
{
    bool negative = false;
    std::string digits; // no trailing zeros
    int exponent = 0;
};

Decimal ToDecimal(double value)
{
    Decimal result;
    if (value == 0) {
        result.digits.assign(1, '0');
        return result;
    }
    // Scientific form with 14 digits after the point: d.ddddddddddddddde+XX, correctly rounded.
    char buffer[64];
    const auto printed = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, kSignificantDigits - 1);
    const std::string_view text(buffer, static_cast<size_t>(printed.ptr - buffer));
    const size_t e = text.find('e');
    result.negative = value < 0;
    result.digits.push_back(text[0]);
    result.digits.append(text.substr(2, e - 2));
    while (result.digits.size() > 1 && result.digits.back() == '0')
        result.digits.pop_back();
    std::from_chars(text.data() + e + (text[e + 1] == '+' ? 2 : 1), text.data() + text.size(),
                    result.exponent);
    return result;
}

bool UsesExponentForm(const Decimal &d)
{
    return d.digits != "0" &&
           (d.exponent < kLowestPlainExponent || d.exponent > kHighestPlainExponent);
}

// "1.5E+20", "1E-05": one digit before the point, at least two exponent digits.
std::string ExponentForm(const Decimal &d, char separator)
{
    std::string text(1, d.digits[0]);
    if (d.digits.size() > 1) {
        text.push_back(separator);
        text.append(d.digits, 1);
    }
    text.push_back('E');
    text.push_back(d.exponent < 0 ? '-' : '+');
    const int magnitude = std::abs(d.exponent);
    if (magnitude < 10)
        text.push_back('0');
    text.append(std::to_string(magnitude));
    return text;
}

// Plain digits with the point where the exponent puts it; "0" before the point below 1 only
// when leadingZero is set.
std::string PlainForm(const Decimal &d, char separator, bool leadingZero)
{
    const int length = static_cast<int>(d.digits.size());
    std::string text;
    if (d.exponent < 0) {
        if (leadingZero)
            text.push_back('0');
        text.push_back(separator);
        text.append(static_cast<size_t>(-d.exponent - 1), '0');
        text.append(d.digits);
    } else if (length <= d.exponent + 1) {
        text = d.digits;
        text.append(static_cast<size_t>(d.exponent + 1 - length), '0');
    } else {
        text = d.digits.substr(0, static_cast<size_t>(d.exponent + 1));
        text.push_back(separator);
        text.append(d.digits, static_cast<size_t>(d.exponent + 1));
    }
    return text;
}

// The value rounded to `decimals` places: the exact binary value rounded, ties to even, which
// is what a correctly rounded fixed-point conversion gives.
double RoundToDecimals(double value, int decimals)
{
    std::string buffer(
        static_cast<size_t>(std::numeric_limits<double>::max_exponent10 + 8 + decimals), '\0');
    const auto printed = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value,
                                       std::chars_format::fixed, decimals);
    double rounded = value;
    std::from_chars(buffer.data(), printed.ptr, rounded);
    return rounded;
}

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// Digits read from text into `out`, starting at pos; returns how many.
size_t TakeDigits(std::u16string_view text, size_t &pos, std::string &out)
{
    const size_t start = pos;
    while (pos < text.size() && IsDigit(text[pos]))
        out.push_back(static_cast<char>(text[pos++]));
    return pos - start;
}

// Decimal exponent of the first significant digit of mantissa x 10^exponent, for telling an
// overflow from an underflow when the value does not fit a double.
long long MagnitudeExponent(const std::string &integerDigits, const std::string &fractionDigits,
                            long long exponent)
{
    const size_t firstInteger = integerDigits.find_first_not_of('0');
    if (firstInteger != std::string::npos)
        return exponent + static_cast<long long>(integerDigits.size() - firstInteger) - 1;
    const size_t firstFraction = fractionDigits.find_first_not_of('0');
    if (firstFraction != std::string::npos)
        return exponent - static_cast<long long>(firstFraction) - 1;
    return 0;
}

} // namespace

namespace {

std::u16string FormatRoundedAs(double value, int decimals, char16_t decimalSeparator,
                               bool exponentAllowed)
{
    if (!std::isfinite(value)) {
        // No window shows these; the engine never returns them with a success code.
        if (std::isnan(value))
            return u"NaN";
        return value < 0 ? u"-Infinity" : u"Infinity";
    }
    const Decimal d = ToDecimal(RoundToDecimals(value, std::clamp(decimals, 0, 400)));
    // The separator is a placeholder here, replaced below so that any UTF-16 unit can serve.
    const std::string text =
        exponentAllowed && UsesExponentForm(d) ? ExponentForm(d, '.') : PlainForm(d, '.', true);
    std::u16string result = (d.negative && d.digits != "0") ? u"-" : u"";
    for (char c : text)
        result.push_back(c == '.' ? decimalSeparator : static_cast<char16_t>(c));
    return result;
}

} // namespace

std::u16string FormatRounded(double value, int decimals, char16_t decimalSeparator)
{
    return FormatRoundedAs(value, decimals, decimalSeparator, true);
}

std::u16string FormatRoundedPlain(double value, int decimals, char16_t decimalSeparator)
{
    return FormatRoundedAs(value, decimals, decimalSeparator, false);
}

bool ReadNumberText(std::u16string_view text, char16_t decimalSeparator, double &value)
{
    // -?digits[sep digits][E(+|-)digits], nothing before or after.
    std::string plain;
    size_t pos = 0;
    if (pos < text.size() && text[pos] == u'-')
        plain.push_back(static_cast<char>(text[pos++]));
    if (TakeDigits(text, pos, plain) == 0)
        return false;
    if (pos < text.size() && text[pos] == decimalSeparator) {
        ++pos;
        plain.push_back('.');
        if (TakeDigits(text, pos, plain) == 0)
            return false;
    }
    if (pos < text.size() && text[pos] == u'E') {
        ++pos;
        plain.push_back('e');
        if (pos >= text.size() || (text[pos] != u'+' && text[pos] != u'-'))
            return false;
        plain.push_back(static_cast<char>(text[pos++]));
        if (TakeDigits(text, pos, plain) == 0)
            return false;
    }
    if (pos != text.size())
        return false;
    double parsed = 0;
    const auto read = std::from_chars(plain.data(), plain.data() + plain.size(), parsed);
    if (read.ec != std::errc() || read.ptr != plain.data() + plain.size())
        return false;
    value = parsed;
    return true;
}

std::string FormatFileNumber(double value)
{
    if (!std::isfinite(value)) {
        if (std::isnan(value))
            return " NaN";
        return value < 0 ? "-Infinity" : " Infinity";
    }
    const Decimal d = ToDecimal(value);
    const std::string text = UsesExponentForm(d) ? ExponentForm(d, '.') : PlainForm(d, '.', false);
    return (d.negative ? "-" : " ") + text;
}

double ReadLeadingNumber(std::u16string_view text)
{
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    bool negative = false;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        negative = text[pos++] == u'-';

    std::string integerDigits;
    std::string fractionDigits;
    TakeDigits(text, pos, integerDigits);
    if (pos < text.size() && text[pos] == u'.') {
        ++pos;
        TakeDigits(text, pos, fractionDigits);
    }
    if (integerDigits.empty() && fractionDigits.empty())
        return 0;

    // The exponent counts only when digits follow the letter and its sign.
    long long exponent = 0;
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        size_t look = pos + 1;
        bool negativeExponent = false;
        if (look < text.size() && (text[look] == u'+' || text[look] == u'-'))
            negativeExponent = text[look++] == u'-';
        std::string exponentDigits;
        if (TakeDigits(text, look, exponentDigits) > 0) {
            const long long clamp = kExponentClamp + static_cast<long long>(integerDigits.size() +
                                                                            fractionDigits.size());
            for (char c : exponentDigits)
                exponent = std::min(exponent * 10 + (c - '0'), clamp);
            if (negativeExponent)
                exponent = -exponent;
        }
    }

    std::string plain = integerDigits.empty() ? std::string(1, '0') : integerDigits;
    if (!fractionDigits.empty()) {
        plain += '.';
        plain += fractionDigits;
    }
    plain += 'e';
    plain += std::to_string(exponent);
    double magnitude = 0;
    const auto read = std::from_chars(plain.data(), plain.data() + plain.size(), magnitude);
    if (read.ec == std::errc::result_out_of_range)
        magnitude = MagnitudeExponent(integerDigits, fractionDigits, exponent) > 0
                        ? std::numeric_limits<double>::infinity()
                        : 0.0;
    return negative ? -magnitude : magnitude;
}

} // namespace zv
