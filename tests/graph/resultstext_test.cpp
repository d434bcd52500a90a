#include "graph/resultstext.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

const char *const kCredit = "Solved graphically with Zerovane 1.0\r\n";

TEST(ResultsText, TheFileByteForByte)
{
    struct Row
    {
        const char *name;
        const char16_t *function;
        double a, b;
        std::vector<std::u16string> roots;
        char16_t separator;
        std::string text;
    };
    const std::vector<std::u16string> twelve{u"1", u"2", u"3", u"4",  u"5",  u"6",
                                             u"7", u"8", u"9", u"10", u"11", u"12"};
    std::string twelveLines;
    for (const std::u16string &root : twelve)
        twelveLines += std::string(root.begin(), root.end()) + "\r\n";
    const Row rows[] = {
        {"no root",
         u"x^2+1",
         -3,
         3,
         {},
         u'.',
         std::string("x^2+1 = 0\r\n[-3 ; 3]\r\n\r\nNo root.\r\n\r\n") + kCredit},
        {"one root, ends rounded to 8 decimals",
         u"x-0.5",
         0.123456789,
         2.5,
         {u"0.5"},
         u'.',
         std::string("x-0.5 = 0\r\n[0.12345679 ; 2.5]\r\n\r\n One root :\r\n0.5\r\n\r\n") +
             kCredit},
        {"two roots in the list's order",
         u"x^2-4",
         -3,
         3,
         {u"2", u"-2"},
         u'.',
         std::string("x^2-4 = 0\r\n[-3 ; 3]\r\n\r\n 2 roots : \r\n2\r\n-2\r\n\r\n") + kCredit},
        {"twelve roots", u"sin(x)", -1, 36, twelve, u'.',
         "sin(x) = 0\r\n[-1 ; 36]\r\n\r\n 12 roots : \r\n" + twelveLines + "\r\n" + kCredit},
        {"the user's decimal comma",
         u"x-1,5",
         1.25,
         7.000000004,
         {u"1,5"},
         u',',
         std::string("x-1,5 = 0\r\n[1,25 ; 7]\r\n\r\n One root :\r\n1,5\r\n\r\n") + kCredit},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(ResultsText(row.function, row.a, row.b, row.roots, row.separator), row.text);
    }
}

} // namespace
} // namespace zv
