#include "engine/errortext.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

struct TextCase
{
    int16_t language;
    int16_t code;
    const char *line;
};

class ErrorTextTable : public testing::TestWithParam<TextCase>
{
protected:
    void TearDown() override { ErrorLanguage = kEnglish; }
};

TEST_P(ErrorTextTable, LineForCode)
{
    ErrorLanguage = GetParam().language;
    EXPECT_EQ(ErrorText(GetParam().code), GetParam().line);
}

const TextCase kTexts[] = {
    {kEnglish, 0, "Error #0 : No error !"},
    {kEnglish, 2, "Error #2 : Logarithm needs to have a positive argument."},
    {kEnglish, 8, "Error #8 : Overflow."},
    {kEnglish, 10, "Error #10 : Unknown error."},
    {kEnglish, 12, "Error #12 : An operand must be followed by an operator or by a bracket."},
    {kEnglish, 13,
     "Error #13 : A function needs to be followed by a bracket. For example, sin(x)."},
    {kEnglish, 16, "Error #16 : Expression contains unknown functions or operands."},
    {kEnglish, 18, "Error #18 : Error in evaluation !"},
    {kEnglish, 19, "Error #19 : An operator can't be followed by a closing bracket."},
    {kEnglish, 21, "Error #21 : Expression can't start with a closing bracket."},
    {kEnglish, 23, "Error #23 : Expression can't end in an operator."},
    {kEnglish, 24, "Error #24 : Unknown error."},
    {kEnglish, -1, "Error #-1 : Unknown error."},
    {kEnglish, 200, "Error #200 : Unknown error."},
    {kRomanian, 4, "Error #4 : Radicalul trebuie sa aiba ca argument un  nr. strict pozitiv."},
    {kRomanian, 1,
     "Error #1 : Functia putere se defineste pe nr. negative doar pentru exponenti intregi."},
    {kRomanian, 10, "Error #10 : Unknown error."},
    {kRomanian, 23, "Error #23 : Expresia nu se poate termina cu un operator."},
    {kRomanian, 24, "Error #24 : Unknown error."},
};

INSTANTIATE_TEST_SUITE_P(Texts, ErrorTextTable, testing::ValuesIn(kTexts));

TEST(ErrorText, EveryReportedCodeHasATextInBothLanguages)
{
    const int16_t reported[] = {2,  3,  4,  5,  6,  7,  8,  9,  11, 12,
                                13, 14, 15, 16, 17, 19, 20, 21, 22, 23};
    for (int16_t language : {kEnglish, kRomanian}) {
        ErrorLanguage = language;
        for (int16_t code : reported)
            EXPECT_EQ(ErrorText(code).find("Unknown error."), std::string::npos) << code;
    }
    ErrorLanguage = kEnglish;
}

} // namespace
} // namespace zv
