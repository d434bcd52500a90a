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
    return c == u' ';
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

// Reads a literal of digits with at most one point ("5." included). Returns false when there
// is no digit. A literal beyond the double range sets `overflow`; one below it
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

// A value with the code of the failure that produced it (0 for none). Returned by value, so
// that the evaluator's top of stack stays in a register.
struct Outcome
{
    double value;
    int16_t fault;
};

Outcome Checked(double r)
{
    return {r, Finite(r) ? int16_t(0) : int16_t(kOverflow)};
}

Outcome Add(double a, double b)
{
    return Checked(a + b);
}
Outcome Sub(double a, double b)
{
    return Checked(a - b);
}
Outcome Mul(double a, double b)
{
    return Checked(a * b);
}

Outcome Div(double a, double b)
{
    if (b == 0) // 0/0 is reported as an overflow, like the engine this mirrors
        return {0, a == 0 ? int16_t(kOverflow) : int16_t(kDivisionByZero)};
    return Checked(a / b);
}

// a^2 as one correctly rounded product: the exact square rounded once, which the library's
// pow does not always give.
Outcome Square(double a)
{
    return Checked(a * a);
}

// a^3 and a^4 from the exact square (p + e, by a fused multiply-add) and one more fused step:
// the exact power rounded once but for the faintest of its terms, at a fraction of pow's cost.
// A fused multiply-add is exact wherever it runs, so the processor's instruction, when there
// is one, gives the same bits as the library's routine, only sooner.
template<typename Fma>
Outcome SmallPowerWith(double a, double b, Fma fma)
{
    const double p = a * a;
    const double e = fma(a, a, -p);
    const double r = b == 3 ? fma(p, a, e * a) : fma(p, p, 2 * p * e);
    return Finite(p) ? Checked(r) : Outcome{0, kOverflow};
}

[[gnu::target("fma")]] Outcome SmallPowerByInstruction(double a, double b)
{
    return SmallPowerWith(a, b,
                          [](double x, double y, double z) { return __builtin_fma(x, y, z); });
}

Outcome SmallPowerByLibrary(double a, double b)
{
    return SmallPowerWith(a, b, [](double x, double y, double z) { return std::fma(x, y, z); });
}

Outcome SmallPower(double a, double b)
{
    static const bool hasFma = __builtin_cpu_supports("fma");
    return hasFma ? SmallPowerByInstruction(a, b) : SmallPowerByLibrary(a, b);
}

Outcome Pow(double a, double b)
{
    if (b == 2)
        return Square(a);
    if (b == 3 || b == 4)
        return SmallPower(a, b);
    if (a < 0 && b != std::floor(b))
        return {0, kEvaluationFailed};
    if (a == 0 && b < 0)
        return {0, kDivisionByZero};
    const double r = std::pow(a, b);
    if (std::isnan(r))
        return {0, kEvaluationFailed};
    return Checked(r);
}

// Pow for a base known to be above 0: no sign, zero or NaN cases to look at.
Outcome PowPositiveBase(double a, double b)
{
    if (b == 2)
        return Square(a);
    if (b == 3 || b == 4)
        return SmallPower(a, b);
    return Checked(std::pow(a, b));
}

Outcome Binary(Op op, double a, double b)
{
    switch (op) {
    case Op::Add:
        return Add(a, b);
    case Op::Sub:
        return Sub(a, b);
    case Op::Mul:
        return Mul(a, b);
    case Op::Div:
        return Div(a, b);
    default:
        return Pow(a, b);
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
                const Outcome r = Binary(in.op, out[out.size() - 2].value, out.back().value);
                if (r.fault == 0) {
                    out.pop_back();
                    out.back().value = r.value;
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
                const bool positiveBase = in.op == Op::Pow && a > 0;
                out.push_back({positiveBase ? Op::RPowPositiveC : WithConstantLeft(in.op), a});
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
    // A sign stands only at the start or right after "(", as the checker lets it.
    bool signAllowed = true;
    size_t pos = 0;
    while (true) {
        while (pos < text.size() && IsBlank(text[pos]))
            ++pos;
        if (pos >= text.size())
            break;
        const char16_t c = text[pos];

        if (expectOperand) {
            const bool sign = signAllowed;
            signAllowed = false;
            if (IsDigit(c)) {
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
                    signAllowed = true;
                } else {
                    return fail(kEvaluationFailed);
                }
            } else if (c == u'(') {
                ++pos;
                pending.push_back({Pending::Bracket, Op::Add, 0});
                signAllowed = true;
            } else if (c == u'-' && sign) {
                ++pos;
                pending.push_back({Pending::Negate, Op::Neg, kNegatePrecedence});
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

    // The top of the stack lives in a register (`top`); the values below it in memory. Most
    // expressions need a handful of slots; deeper ones get a heap stack.
    constexpr int kInlineDepth = 32;
    double inlineStack[kInlineDepth];
    std::vector<double> heapStack;
    double *stack = inlineStack;
    if (m_maxDepth >= kInlineDepth) {
        heapStack.resize(static_cast<size_t>(m_maxDepth) + 1);
        stack = heapStack.data();
    }

    double *sp = stack; // stack[0] receives the empty top of the first push
    double top = 0;
    for (const Instruction &in : m_code) {
        Outcome r;
        switch (in.op) {
        case Op::Constant:
            *++sp = top;
            top = in.value;
            continue;
        case Op::X:
            *++sp = top;
            top = res.x;
            continue;
        case Op::Pi:
            *++sp = top;
            top = res.pi;
            continue;
        case Op::E:
            *++sp = top;
            top = res.e;
            continue;
        case Op::Add:
            r = Add(*sp--, top);
            break;
        case Op::Sub:
            r = Sub(*sp--, top);
            break;
        case Op::Mul:
            r = Mul(*sp--, top);
            break;
        case Op::Div:
            r = Div(*sp--, top);
            break;
        case Op::Pow:
            r = Pow(*sp--, top);
            break;
        case Op::AddC:
            r = Add(top, in.value);
            break;
        case Op::SubC:
            r = Sub(top, in.value);
            break;
        case Op::MulC:
            r = Mul(top, in.value);
            break;
        case Op::DivC:
            r = Div(top, in.value);
            break;
        case Op::PowC:
            r = Pow(top, in.value);
            break;
        case Op::RSubC:
            r = Sub(in.value, top);
            break;
        case Op::RDivC:
            r = Div(in.value, top);
            break;
        case Op::RPowC:
            r = Pow(in.value, top);
            break;
        case Op::RPowPositiveC:
            r = PowPositiveBase(in.value, top);
            break;
        case Op::Square:
            r = Square(top);
            break;
        case Op::Neg:
            top = -top;
            continue;
        case Op::Sin:
            top = std::sin(top);
            continue;
        case Op::Cos:
            top = std::cos(top);
            continue;
        case Op::Tan:
            top = std::tan(top);
            continue;
        case Op::Atn:
            top = std::atan(top);
            continue;
        case Op::Exp:
            r = Checked(std::exp(top));
            break;
        case Op::Abs:
            top = std::fabs(top);
            continue;
        case Op::Int:
            top = std::floor(top);
            continue;
        case Op::Ln:
            top = res.ln(top);
            continue;
        case Op::R:
            top = res.r(top);
            continue;
        case Op::R3:
            top = res.r3(top);
            continue;
        case Op::Frac:
            top = res.frac(top);
            continue;
        case Op::Tg:
            top = res.tg(top);
            continue;
        case Op::Arcsin:
            top = res.arcsin(top);
            continue;
        case Op::Arccos:
            top = res.arccos(top);
            continue;
        case Op::Arctg:
            top = res.arctg(top);
            continue;
        case Op::Sh:
            r = Checked(res.sh(top));
            break;
        case Op::Ch:
            r = Checked(res.ch(top));
            break;
        case Op::Th:
            r = Checked(res.th(top));
            break;
        }
        if (r.fault != 0) {
            code = r.fault;
            return 0;
        }
        top = r.value;
    }

    const double value = top;
    if (std::isnan(value)) { // never let a NaN leave as a value
        code = kEvaluationFailed;
        return 0;
    }
    return value;
}

} // namespace zv
