#include "engine/program.h"

#include "engine/errortext.h"
#include "engine/res.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace zv {

namespace {

using Op = Program::Op;

constexpr double kMaxFinite = std::numeric_limits<double>::max();

bool IsBlank(char16_t c)
{
    return c == u' ' || c == u'\t';
}
bool IsDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}
bool IsLetter(char16_t c)
{
    return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
}
char16_t Lower(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c - u'A' + u'a') : c;
}

struct NamedOp
{
    std::u16string_view name;
    Op op;
};

constexpr std::array<NamedOp, 3> kOperands = {{{u"x", Op::X}, {u"pi", Op::Pi}, {u"e", Op::E}}};

constexpr std::array<NamedOp, 18> kFunctions = {{
    {u"sin", Op::Sin},
    {u"cos", Op::Cos},
    {u"tan", Op::Tan},
    {u"atn", Op::Atn},
    {u"exp", Op::Exp},
    {u"abs", Op::Abs},
    {u"int", Op::Int},
    {u"ln", Op::Ln},
    {u"r", Op::R},
    {u"r3", Op::R3},
    {u"frac", Op::Frac},
    {u"tg", Op::Tg},
    {u"arcsin", Op::Arcsin},
    {u"arccos", Op::Arccos},
    {u"arctg", Op::Arctg},
    {u"sh", Op::Sh},
    {u"ch", Op::Ch},
    {u"th", Op::Th},
}};

template<size_t N>
bool FindName(const std::array<NamedOp, N> &table, std::u16string_view lowered, Op &op)
{
    for (const auto &entry : table) {
        if (entry.name == lowered) {
            op = entry.op;
            return true;
        }
    }
    return false;
}

// Operator-stack entries of the compiler.
enum class Pending : uint8_t { Binary, Negate, Bracket, Function };

struct StackEntry
{
    Pending kind;
    Op op;
    int precedence;
};

// "^" binds tightest, then the unary minus, then "*" "/", then "+" "-"; all group left to right.
constexpr int kPowerPrecedence = 4;
constexpr int kNegatePrecedence = 3;

int BinaryPrecedence(Op op)
{
    switch (op) {
    case Op::Pow:
        return kPowerPrecedence;
    case Op::Mul:
    case Op::Div:
        return 2;
    default:
        return 1;
    }
}

bool ToBinaryOp(char16_t c, Op &op)
{
    switch (c) {
    case u'+':
        op = Op::Add;
        return true;
    case u'-':
        op = Op::Sub;
        return true;
    case u'*':
        op = Op::Mul;
        return true;
    case u'/':
        op = Op::Div;
        return true;
    case u'^':
        op = Op::Pow;
        return true;
    default:
        return false;
    }
}

// Reads a literal of digits with at most one point ("5." and ".5" included). Returns false
// when there is no digit. A literal beyond the double range sets `overflow`; one below it
// reads as 0.
bool ReadLiteral(std::u16string_view text, size_t &pos, double &value, bool &overflow)
{
    std::string ascii;
    bool point = false, digits = false;
    while (pos < text.size()) {
        const char16_t c = text[pos];
        if (IsDigit(c)) {
            digits = true;
        } else if (c == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        ascii.push_back(static_cast<char>(c));
        ++pos;
    }
    if (!digits)
        return false;
    const auto result = std::from_chars(ascii.data(), ascii.data() + ascii.size(), value);
    overflow = false;
    if (result.ec == std::errc::result_out_of_range) {
        // Out of range is an overflow when a non-zero digit stands before the point.
        const auto intPart = ascii.substr(0, ascii.find('.'));
        overflow = intPart.find_first_not_of('0') != std::string::npos;
        value = 0;
    }
    return true;
}

// The arithmetic of the operators, shared by the run and by constant folding so that both
// give the same bits. Each returns 0 or the code of the failure.
bool Finite(double v)
{
    return std::fabs(v) <= kMaxFinite;
}

int16_t DoAdd(double a, double b, double &r)
{
    r = a + b;
    return Finite(r) ? 0 : kOverflow;
}

int16_t DoSub(double a, double b, double &r)
{
    r = a - b;
    return Finite(r) ? 0 : kOverflow;
}

int16_t DoMul(double a, double b, double &r)
{
    r = a * b;
    return Finite(r) ? 0 : kOverflow;
}

int16_t DoDiv(double a, double b, double &r)
{
    if (b == 0) // 0/0 is reported as an overflow, like the engine this mirrors
        return a == 0 ? kOverflow : kDivisionByZero;
    r = a / b;
    return Finite(r) ? 0 : kOverflow;
}

// a^2 as one correctly rounded product: the exact square rounded once, which the library's
// pow does not always give.
int16_t DoSquare(double a, double &r)
{
    r = a * a;
    return Finite(r) ? 0 : kOverflow;
}

// a^3 and a^4 from the exact square (p + e, by a fused multiply-add) and one more fused step:
// the exact power rounded once but for the faintest of its terms, at a fraction of pow's cost.
int16_t DoCube(double a, double &r)
{
    const double p = a * a;
    const double e = std::fma(a, a, -p);
    r = std::fma(p, a, e * a);
    return Finite(r) && Finite(p) ? 0 : kOverflow;
}

int16_t DoFourth(double a, double &r)
{
    const double p = a * a;
    const double e = std::fma(a, a, -p);
    r = std::fma(p, p, 2 * p * e);
    return Finite(r) && Finite(p) ? 0 : kOverflow;
}

int16_t DoPow(double a, double b, double &r)
{
    if (b == 2)
        return DoSquare(a, r);
    if (b == 3)
        return DoCube(a, r);
    if (b == 4)
        return DoFourth(a, r);
    if (a < 0 && b != std::floor(b))
        return kEvaluationFailed;
    if (a == 0 && b < 0)
        return kDivisionByZero;
    r = std::pow(a, b);
    if (std::isnan(r))
        return kEvaluationFailed;
    return Finite(r) ? 0 : kOverflow;
}

int16_t DoBinary(Op op, double a, double b, double &r)
{
    switch (op) {
    case Op::Add:
        return DoAdd(a, b, r);
    case Op::Sub:
        return DoSub(a, b, r);
    case Op::Mul:
        return DoMul(a, b, r);
    case Op::Div:
        return DoDiv(a, b, r);
    default:
        return DoPow(a, b, r);
    }
}

bool IsBinary(Op op)
{
    return op == Op::Add || op == Op::Sub || op == Op::Mul || op == Op::Div || op == Op::Pow;
}

bool IsPush(Op op)
{
    return op == Op::Constant || op == Op::X || op == Op::Pi || op == Op::E;
}

// "top op c" for a constant right operand.
Op WithConstantRight(Op op)
{
    switch (op) {
    case Op::Add:
        return Op::AddC;
    case Op::Sub:
        return Op::SubC;
    case Op::Mul:
        return Op::MulC;
    case Op::Div:
        return Op::DivC;
    default:
        return Op::PowC;
    }
}

// "c op top" for a constant left operand; + and * commute, so they keep the plain form.
Op WithConstantLeft(Op op)
{
    switch (op) {
    case Op::Add:
        return Op::AddC;
    case Op::Sub:
        return Op::RSubC;
    case Op::Mul:
        return Op::MulC;
    case Op::Div:
        return Op::RDivC;
    default:
        return Op::RPowC;
    }
}

// Folds constants into the instructions that use them and computes constant subexpressions
// once. A fold that would fail is left to the run, which then reports it as usual.
std::vector<Program::Instruction> Optimized(const std::vector<Program::Instruction> &code)
{
    using Instruction = Program::Instruction;
    std::vector<Instruction> out;
    out.reserve(code.size());
    auto isConstant = [&out](size_t fromEnd) {
        return out.size() > fromEnd && out[out.size() - 1 - fromEnd].op == Op::Constant;
    };
    for (Instruction in : code) {
        if (in.op == Op::Pi || in.op == Op::E) // set once at start and never changed
            in = {Op::Constant, in.op == Op::Pi ? Res::kPi : Res::kE};

        if (in.op == Op::Neg && isConstant(0)) {
            out.back().value = -out.back().value;
            continue;
        }
        if (IsBinary(in.op)) {
            if (isConstant(0) && isConstant(1)) {
                double r = 0;
                const double a = out[out.size() - 2].value, b = out.back().value;
                if (DoBinary(in.op, a, b, r) == 0) {
                    out.pop_back();
                    out.back().value = r;
                    continue;
                }
            } else if (isConstant(0)) {
                const double b = out.back().value;
                out.pop_back();
                if (in.op == Op::Pow && b == 2)
                    out.push_back({Op::Square, 0});
                else
                    out.push_back({WithConstantRight(in.op), b});
                continue;
            } else if (isConstant(1) && IsPush(out.back().op)) {
                const double a = out[out.size() - 2].value;
                out.erase(out.end() - 2);
                out.push_back({WithConstantLeft(in.op), a});
                continue;
            }
        }
        out.push_back(in);
    }
    return out;
}

} // namespace

Program Program::Compile(std::u16string_view text, bool optimize)
{
    Program program;
    auto fail = [&program](int16_t code) {
        program.m_code.clear();
        program.m_maxDepth = 0;
        program.m_compileError = code;
        return program;
    };

    std::vector<StackEntry> pending;
    int depth = 0;
    auto emit = [&](Op op, double value = 0.0) {
        program.m_code.push_back({op, value});
        switch (op) {
        case Op::Constant:
        case Op::X:
        case Op::Pi:
        case Op::E:
            ++depth;
            break;
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow:
            --depth;
            break;
        default:
            break;
        }
        if (depth > program.m_maxDepth)
            program.m_maxDepth = depth;
    };

    bool expectOperand = true;
    size_t pos = 0;
    while (true) {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos >= text.size())
            break;
        const char16_t c = text[pos];

        if (expectOperand) {
            if (IsDigit(c) || c == u'.') {
                double value = 0;
                bool overflow = false;
                if (!ReadLiteral(text, pos, value, overflow))
                    return fail(kEvaluationFailed);
                if (overflow)
                    return fail(kOverflow);
                emit(Op::Constant, value);
                expectOperand = false;
            } else if (IsLetter(c)) {
                std::u16string name;
                while (pos < text.size() &&
                       (IsLetter(text[pos]) || IsDigit(text[pos]) || text[pos] == u'_'))
                    name.push_back(Lower(text[pos++]));
                Op op;
                if (FindName(kOperands, name, op)) {
                    emit(op);
                    expectOperand = false;
                } else if (FindName(kFunctions, name, op)) {
                    while (pos < text.size() && IsBlank(text[pos]))
                        ++pos;
                    if (pos >= text.size() || text[pos] != u'(')
                        return fail(kEvaluationFailed);
                    ++pos;
                    pending.push_back({Pending::Function, op, 0});
                    pending.push_back({Pending::Bracket, op, 0});
                } else {
                    return fail(kEvaluationFailed);
                }
            } else if (c == u'(') {
                ++pos;
                pending.push_back({Pending::Bracket, Op::Add, 0});
            } else if (c == u'-') {
                ++pos;
                pending.push_back({Pending::Negate, Op::Neg, kNegatePrecedence});
            } else if (c == u'+') {
                ++pos; // a unary plus changes nothing
            } else {
                return fail(kEvaluationFailed);
            }
            continue;
        }

        Op op;
        if (ToBinaryOp(c, op)) {
            ++pos;
            const int precedence = BinaryPrecedence(op);
            while (!pending.empty() &&
                   (pending.back().kind == Pending::Binary ||
                    pending.back().kind == Pending::Negate) &&
                   pending.back().precedence >= precedence) {
                emit(pending.back().op);
                pending.pop_back();
            }
            pending.push_back({Pending::Binary, op, precedence});
            expectOperand = true;
        } else if (c == u')') {
            ++pos;
            while (!pending.empty() && pending.back().kind != Pending::Bracket) {
                emit(pending.back().op);
                pending.pop_back();
            }
            if (pending.empty())
                return fail(kEvaluationFailed);
            pending.pop_back();
            if (!pending.empty() && pending.back().kind == Pending::Function) {
                emit(pending.back().op);
                pending.pop_back();
            }
        } else {
            return fail(kEvaluationFailed);
        }
    }

    if (expectOperand)
        return fail(kEvaluationFailed);
    while (!pending.empty()) {
        if (pending.back().kind == Pending::Bracket || pending.back().kind == Pending::Function)
            return fail(kEvaluationFailed);
        emit(pending.back().op);
        pending.pop_back();
    }
    if (optimize)
        program.m_code = Optimized(program.m_code);
    return program;
}

double Program::Run(Res &res, int16_t &code) const
{
    code = kNoError;
    if (m_compileError != 0) {
        code = m_compileError;
        return 0;
    }

    // Most expressions need a handful of slots; deeper ones get a heap stack.
    constexpr int kInlineDepth = 32;
    double inlineStack[kInlineDepth];
    std::vector<double> heapStack;
    double *stack = inlineStack;
    if (m_maxDepth > kInlineDepth) {
        heapStack.resize(static_cast<size_t>(m_maxDepth));
        stack = heapStack.data();
    }

    // sp points at the top value; pushes pre-increment it.
    double *sp = stack - 1;
    int16_t fault = 0;
    for (const Instruction &in : m_code) {
        switch (in.op) {
        case Op::Constant:
            *++sp = in.value;
            continue;
        case Op::X:
            *++sp = res.x;
            continue;
        case Op::Pi:
            *++sp = res.pi;
            continue;
        case Op::E:
            *++sp = res.e;
            continue;
        case Op::Add:
        case Op::Sub:
        case Op::Mul:
        case Op::Div:
        case Op::Pow: {
            const double b = *sp--;
            fault = DoBinary(in.op, *sp, b, *sp);
            break;
        }
        case Op::AddC:
            fault = DoAdd(*sp, in.value, *sp);
            break;
        case Op::SubC:
            fault = DoSub(*sp, in.value, *sp);
            break;
        case Op::MulC:
            fault = DoMul(*sp, in.value, *sp);
            break;
        case Op::DivC:
            fault = DoDiv(*sp, in.value, *sp);
            break;
        case Op::PowC:
            fault = DoPow(*sp, in.value, *sp);
            break;
        case Op::RSubC:
            fault = DoSub(in.value, *sp, *sp);
            break;
        case Op::RDivC:
            fault = DoDiv(in.value, *sp, *sp);
            break;
        case Op::RPowC:
            fault = DoPow(in.value, *sp, *sp);
            break;
        case Op::Square:
            fault = DoSquare(*sp, *sp);
            break;
        case Op::Neg:
            *sp = -*sp;
            continue;
        case Op::Sin:
            *sp = std::sin(*sp);
            continue;
        case Op::Cos:
            *sp = std::cos(*sp);
            continue;
        case Op::Tan:
            *sp = std::tan(*sp);
            continue;
        case Op::Atn:
            *sp = std::atan(*sp);
            continue;
        case Op::Exp:
            *sp = std::exp(*sp);
            fault = Finite(*sp) ? 0 : kOverflow;
            break;
        case Op::Abs:
            *sp = std::fabs(*sp);
            continue;
        case Op::Int:
            *sp = std::floor(*sp);
            continue;
        case Op::Ln:
            *sp = res.ln(*sp);
            continue;
        case Op::R:
            *sp = res.r(*sp);
            continue;
        case Op::R3:
            *sp = res.r3(*sp);
            continue;
        case Op::Frac:
            *sp = res.frac(*sp);
            continue;
        case Op::Tg:
            *sp = res.tg(*sp);
            continue;
        case Op::Arcsin:
            *sp = res.arcsin(*sp);
            continue;
        case Op::Arccos:
            *sp = res.arccos(*sp);
            continue;
        case Op::Arctg:
            *sp = res.arctg(*sp);
            continue;
        case Op::Sh:
            *sp = res.sh(*sp);
            fault = Finite(*sp) ? 0 : kOverflow;
            break;
        case Op::Ch:
            *sp = res.ch(*sp);
            fault = Finite(*sp) ? 0 : kOverflow;
            break;
        case Op::Th:
            *sp = res.th(*sp);
            fault = Finite(*sp) ? 0 : kOverflow;
            break;
        }
        if (fault != 0) {
            code = fault;
            return 0;
        }
    }

    const double value = *sp;
    if (std::isnan(value)) { // never let a NaN leave as a value
        code = kEvaluationFailed;
        return 0;
    }
    return value;
}

} // namespace zv
