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

} // namespace

Program Program::Compile(std::u16string_view text)
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

    int top = -1; // index of the top value
    auto failed = [&code](int16_t c) {
        code = c;
        return 0.0;
    };
    // Infinite (or NaN) results of an operation are overflows of the engine.
    auto finite = [](double v) { return std::fabs(v) <= kMaxFinite; };

    for (const Instruction &in : m_code) {
        switch (in.op) {
        case Op::Constant:
            stack[++top] = in.value;
            break;
        case Op::X:
            stack[++top] = res.x;
            break;
        case Op::Pi:
            stack[++top] = res.pi;
            break;
        case Op::E:
            stack[++top] = res.e;
            break;
        case Op::Add:
        case Op::Sub:
        case Op::Mul: {
            const double b = stack[top--];
            const double a = stack[top];
            const double r = in.op == Op::Add ? a + b : in.op == Op::Sub ? a - b : a * b;
            if (!finite(r))
                return failed(kOverflow);
            stack[top] = r;
            break;
        }
        case Op::Div: {
            const double b = stack[top--];
            const double a = stack[top];
            if (b == 0) // 0/0 is reported as an overflow, like the engine this mirrors
                return failed(a == 0 ? kOverflow : kDivisionByZero);
            const double r = a / b;
            if (!finite(r))
                return failed(kOverflow);
            stack[top] = r;
            break;
        }
        case Op::Pow: {
            const double b = stack[top--];
            const double a = stack[top];
            if (a < 0 && b != std::floor(b))
                return failed(kEvaluationFailed);
            if (a == 0 && b < 0)
                return failed(kDivisionByZero);
            const double r = std::pow(a, b);
            if (std::isnan(r))
                return failed(kEvaluationFailed);
            if (!finite(r))
                return failed(kOverflow);
            stack[top] = r;
            break;
        }
        case Op::Neg:
            stack[top] = -stack[top];
            break;
        case Op::Sin:
            stack[top] = std::sin(stack[top]);
            break;
        case Op::Cos:
            stack[top] = std::cos(stack[top]);
            break;
        case Op::Tan:
            stack[top] = std::tan(stack[top]);
            break;
        case Op::Atn:
            stack[top] = std::atan(stack[top]);
            break;
        case Op::Exp: {
            const double r = std::exp(stack[top]);
            if (!finite(r))
                return failed(kOverflow);
            stack[top] = r;
            break;
        }
        case Op::Abs:
            stack[top] = std::fabs(stack[top]);
            break;
        case Op::Int:
            stack[top] = std::floor(stack[top]);
            break;
        case Op::Ln:
            stack[top] = res.ln(stack[top]);
            break;
        case Op::R:
            stack[top] = res.r(stack[top]);
            break;
        case Op::R3:
            stack[top] = res.r3(stack[top]);
            break;
        case Op::Frac:
            stack[top] = res.frac(stack[top]);
            break;
        case Op::Tg:
            stack[top] = res.tg(stack[top]);
            break;
        case Op::Arcsin:
            stack[top] = res.arcsin(stack[top]);
            break;
        case Op::Arccos:
            stack[top] = res.arccos(stack[top]);
            break;
        case Op::Arctg:
            stack[top] = res.arctg(stack[top]);
            break;
        case Op::Sh:
        case Op::Ch:
        case Op::Th: {
            const double v = stack[top];
            const double r = in.op == Op::Sh ? res.sh(v) : in.op == Op::Ch ? res.ch(v) : res.th(v);
            if (!finite(r))
                return failed(kOverflow);
            stack[top] = r;
            break;
        }
        }
    }

    const double value = stack[top];
    if (std::isnan(value)) // never let a NaN leave as a value
        return failed(kEvaluationFailed);
    return value;
}

} // namespace zv
