#include "engine/program.h"
#include "engine/res.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <vector>

namespace zv {
namespace {

// The optimiser may only change speed: every expression must give the same bits and codes
// with it and without it.
TEST(Program, OptimisedAndPlainRunsAgreeBitForBit)
{
    // Blank-separated: no text here holds a blank.
    const std::u16string_view list =
        u"x^2-4 3^x-x^3 x^x-4 2^x+3^x+6^x-x^2 (x+2)^2+(x+3)^3+(x+4)^4-2 sin(x)-cos(x) "
        u"arctg(x)+arctg(x^2) exp(-x)*sin(3*x)+r(abs(x)) ln(x^2+1)-x/3 2*pi/3-x -(2^3)^2+x "
        u"1/(x-1) 0/x x/0 (0-8)^x 0^x 10^400+x 2-x 2/x 2^x x^2^3 -x^2 e^x-pi*x 5-(-x) x^(0-2) "
        u"1/x^2";
    std::vector<std::u16string_view> texts;
    for (size_t at = 0, end; at < list.size(); at = end + 1) {
        end = std::min(list.find(u' ', at), list.size());
        texts.push_back(list.substr(at, end - at));
    }
    ASSERT_EQ(texts.size(), 26u);
    std::mt19937_64 random(7);
    std::uniform_real_distribution<double> wide(-30, 30);
    Res plainRes, optimisedRes;
    plainRes.set_c();
    optimisedRes.set_c();
    for (auto text : texts) {
        const Program plain = Program::Compile(text, false);
        const Program optimised = Program::Compile(text, true);
        EXPECT_EQ(plain.compileError(), optimised.compileError())
            << std::string(text.begin(), text.end());
        for (int i = 0; i < 20000; ++i) {
            double x = wide(random);
            if (i % 4 == 0)
                x = std::round(x);
            if (i % 7 == 0)
                x = std::ldexp(x, static_cast<int>(random() % 1000) - 500);
            plainRes.setx(x);
            optimisedRes.setx(x);
            int16_t plainCode = -1, optimisedCode = -1;
            const double a = plain.Run(plainRes, plainCode);
            const double b = optimised.Run(optimisedRes, optimisedCode);
            ASSERT_EQ(plainCode, optimisedCode) << "x = " << x;
            ASSERT_EQ(std::bit_cast<uint64_t>(a), std::bit_cast<uint64_t>(b)) << "x = " << x;
            ASSERT_EQ(plainRes.eroare, optimisedRes.eroare);
        }
    }
}

// Without this the comparison above would pass with an optimiser that does nothing.
TEST(Program, ConstantsAreFoldedAndOperandsJoinTheirOperators)
{
    using Op = Program::Op;
    const auto folded = Program::Compile(u"2*pi/3-x");
    ASSERT_EQ(folded.instructions().size(), 2u);
    EXPECT_EQ(folded.instructions()[1].op, Op::RSubC);
    EXPECT_EQ(Program::Compile(u"x^2").instructions().back().op, Op::Square);
}

} // namespace
} // namespace zv
