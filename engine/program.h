#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace zv {

class Res;

// A translated expression compiled once into a flat postfix program and run per x in one
// loop over a pre-sized stack. The language is the subset the translation produces: numbers,
// x, e, pi, + - * / ^, a minus at the start or after "(", round brackets and the eighteen
// functions, names compared without regard to case. Anything else compiles to a program that fails
// with code 9.
class Program
{
public:
    enum class Op : uint8_t {
        Constant,
        X,
        Pi,
        E,
        Add,
        Sub,
        Mul,
        Div,
        Pow,
        Neg,
        // Forms with a constant operand held in the instruction: "top op value" and
        // "value op top"; RPowPositiveC is RPowC for a base above 0; Square is "top ^ 2".
        // Only the optimiser emits them.
        AddC,
        SubC,
        MulC,
        DivC,
        PowC,
        RSubC,
        RDivC,
        RPowC,
        RPowPositiveC,
        Square,
        Sin,
        Cos,
        Tan,
        Atn,
        Exp,
        Abs,
        Int,
        Ln,
        R,
        R3,
        Frac,
        Tg,
        Arcsin,
        Arccos,
        Arctg,
        Sh,
        Ch,
        Th,
    };

    struct Instruction
    {
        Op op;
        double value = 0.0; // the number of a Constant
    };

    // With `optimize`, constant operands are folded into instructions and constant
    // subexpressions are computed once; results and codes are bit-identical either way.
    static Program Compile(std::u16string_view text, bool optimize = true);

    // Runs with res.x as the variable (the caller has set it with setx). Returns the value and
    // sets code to 7, 8 or 9 when the evaluation fails (value 0) and to 0 otherwise; domain
    // faults of the functions are left in res.eroare.
    double Run(Res &res, int16_t &code) const;

    // 0 when the text compiled; otherwise the code every run reports (8 for a number beyond
    // the double range, 9 for anything outside the language).
    int16_t compileError() const { return m_compileError; }
    const std::vector<Instruction> &instructions() const { return m_code; }

private:
    std::vector<Instruction> m_code;
    int m_maxDepth = 0;
    int16_t m_compileError = 0;
};

} // namespace zv
