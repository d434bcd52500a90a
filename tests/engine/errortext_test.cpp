#include "engine/errortext.h"

#include <gtest/gtest.h>

namespace zv {
namespace {

TEST(ErrorText, LineForCodeInEachLanguage)
{
    const std::tuple<int16_t, int16_t, const char *> cases[] = {
        {kEnglish, 0, "Error #0 : No error !"},
        {kEnglish, 23, "Error #23 : Expression can't end in an operator."},
        // Codes without a text of their own, inside the table and beyond either end.
        {kEnglish, 10, "Error #10 : Unknown error."},
        {kEnglish, 24, "Error #24 : Unknown error."},
        {kEnglish, -1, "Error #-1 : Unknown error."},
        {kEnglish, 200, "Error #200 : Unknown error."},
        {kRomanian, 1,
         "Error #1 : Functia putere se defineste pe nr. negative doar pentru exponenti intregi."},
        {kRomanian, 4, "Error #4 : Radicalul trebuie sa aiba ca argument un  nr. strict pozitiv."},
        {kRomanian, 23, "Error #23 : Expresia nu se poate termina cu un operator."},
        {kRomanian, 10, "Error #10 : Unknown error."},
        {kRomanian, 24, "Error #24 : Unknown error."}};
    for (const auto &[language, code, line] : cases) {
        ErrorLanguage = language;
        EXPECT_EQ(ErrorText(code), line) << language << " " << code;
    }
    ErrorLanguage = kEnglish;
}

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
