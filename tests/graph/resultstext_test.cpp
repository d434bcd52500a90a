#include "graph/resultstext.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(ResultsText, TheFileByteForByte)
{
    const std::string credit = "\r\nSolved graphically with Zerovane 1.0\r\n";
    std::vector<std::u16string> twelve;
    std::string twelveLines;
    for (int i = 1; i <= 12; ++i) {
        const std::string line = std::to_string(i);
        twelve.emplace_back(line.begin(), line.end());
        twelveLines += line + "\r\n";
    }
    const std::tuple<const char16_t *, double, double, std::vector<std::u16string>, char16_t,
                     std::string>
        rows[] = {
            {u"x^2+1", -3, 3, {}, u'.', "x^2+1 = 0\r\n[-3 ; 3]\r\n\r\nNo root.\r\n"},
            // The ends rounded to 8 decimals.
            {u"x-0.5",
             0.123456789,
             2.5,
             {u"0.5"},
             u'.',
             "x-0.5 = 0\r\n[0.12345679 ; 2.5]\r\n\r\n One root :\r\n0.5\r\n"},
            // In the list's order.
            {u"x^2-4",
             -3,
             3,
             {u"2", u"-2"},
             u'.',
             "x^2-4 = 0\r\n[-3 ; 3]\r\n\r\n 2 roots : \r\n2\r\n-2\r\n"},
            {u"sin(x)", -1, 36, twelve, u'.',
             "sin(x) = 0\r\n[-1 ; 36]\r\n\r\n 12 roots : \r\n" + twelveLines},
            // The user's decimal comma.
            {u"x-1,5",
             1.25,
             7.000000004,
             {u"1,5"},
             u',',
             "x-1,5 = 0\r\n[1,25 ; 7]\r\n\r\n One root :\r\n1,5\r\n"},
        };
    for (const auto &[function, a, b, roots, separator, text] : rows)
        EXPECT_EQ(ResultsText(function, a, b, roots, separator), text + credit) << roots.size();
}

} // namespace
} // namespace zv
