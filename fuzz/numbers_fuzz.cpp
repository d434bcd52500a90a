// libFuzzer target: the number readers of the F8/F9 prompts and of project fields, checked
// against the C library's strtod on the number the text begins with.

#include "engine/utf.h"
#include "fuzz/fuzzcheck.h"
#include "graph/promptvalues.h"
#include "shell/projecttext.h"

#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

namespace {

using zv::fuzz::Require;

bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

// The leading number, written for strtod: blanks and tabs skipped, a sign, digits with at most
// one separator ("," or "."), and an exponent only when digits follow it. Empty when the text
// does not begin with a number.
std::string LeadingNumber(std::u16string_view text)
{
    size_t pos = 0;
    while (pos < text.size() && (text[pos] == u' ' || text[pos] == u'\t'))
        ++pos;
    std::string number;
    if (pos < text.size() && (text[pos] == u'+' || text[pos] == u'-'))
        number.push_back(static_cast<char>(text[pos++]));
    size_t digits = 0;
    for (; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits)
        number.push_back(static_cast<char>(text[pos]));
    if (pos < text.size() && (text[pos] == u'.' || text[pos] == u',')) {
        number.push_back('.');
        for (++pos; pos < text.size() && IsDigit(text[pos]); ++pos, ++digits)
            number.push_back(static_cast<char>(text[pos]));
    }
    if (digits == 0)
        return {};
    if (pos < text.size() && (text[pos] == u'e' || text[pos] == u'E')) {
        std::string exponent = "e";
        size_t look = pos + 1;
        if (look < text.size() && (text[look] == u'+' || text[look] == u'-'))
            exponent.push_back(static_cast<char>(text[look++]));
        if (look < text.size() && IsDigit(text[look])) {
            for (; look < text.size() && IsDigit(text[look]); ++look)
                exponent.push_back(static_cast<char>(text[look]));
            number += exponent;
        }
    }
    return number;
}

double Expected(std::u16string_view text)
{
    const std::string number = LeadingNumber(text);
    return number.empty() ? 0.0 : std::strtod(number.c_str(), nullptr);
}

bool SameBits(double a, double b)
{
    return std::bit_cast<uint64_t>(a) == std::bit_cast<uint64_t>(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);

    // A prompt answer, as typed.
    const std::u16string typed = zv::FromUtf8(bytes);
    const double expected = Expected(typed);
    const std::optional<double> prompt = zv::ReadPromptNumber(typed);
    if (std::isfinite(expected))
        Require(prompt && SameBits(*prompt, expected), "a prompt reads the number as strtod");
    else
        Require(!prompt, "a prompt refuses a number beyond the double range");
    if (prompt) {
        const std::optional<int> precision = zv::AcceptedPrecision(*prompt);
        Require(!precision || (*precision >= zv::kMinPrecision && *precision <= zv::kMaxPrecision),
                "an accepted precision lies in its range");
        zv::IntervalAccepted(*prompt, *prompt + 1);
        zv::IntervalAccepted(-*prompt, *prompt);
    }

    // A project field, one byte a character.
    const std::u16string widened(reinterpret_cast<const unsigned char *>(bytes.data()),
                                 reinterpret_cast<const unsigned char *>(bytes.data()) + size);
    Require(SameBits(zv::ReadProjectNumber(bytes), Expected(widened)),
            "a project field reads the number as strtod");
    return 0;
}
