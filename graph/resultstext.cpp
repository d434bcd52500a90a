#include "graph/resultstext.h"

#include "engine/errortext.h"
#include "engine/numbertext.h"
#include "engine/utf.h"
#include "texts/messagetexts.h"
#include "texts/version.h"

namespace zv {

namespace {

constexpr int kIntervalDecimals = 8;
constexpr std::string_view kLineEnd = "\r\n";

std::string CreditLine()
{
    return "Solved graphically with Zerovane " + std::to_string(kVersionMajor) + '.' +
           std::to_string(kVersionMinor);
}

} // namespace

std::string ResultsText(std::u16string_view function, double a, double b,
                        const std::vector<std::u16string> &rootLines, char16_t separator,
                        int16_t scanError)
{
    std::string text;
    const auto line = [&text](std::string_view content) {
        text += content;
        text += kLineEnd;
    };
    line(ToUtf8(function) + " = 0");
    line("[" + ToUtf8(FormatRounded(a, kIntervalDecimals, separator)) + " ; " +
         ToUtf8(FormatRounded(b, kIntervalDecimals, separator)) + "]");
    line("");
    const size_t count = rootLines.size();
    if (scanError != 0)
        line(ErrorText(scanError));
    else if (count == 0)
        line(MessageText(17));
    else if (count == 1)
        line(MessageText(23));
    else
        line(' ' + std::to_string(count) + MessageText(24));
    for (const std::u16string &root : rootLines)
        line(ToUtf8(root));
    line("");
    line(CreditLine());
    return text;
}

} // namespace zv
