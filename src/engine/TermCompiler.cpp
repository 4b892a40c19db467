// Reading a term into a CCompiledTerm. The reading follows the text interpreter step by step
// (tests/oracle/TermInterpreter.cpp, the reference); where the interpreter computes a value, this
// emits the instruction that computes it, in the same order of operands.
#include "engine/CompiledTerm.h"

#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"
#include "engine/NumberReader.h"
#include "engine/TermSyntax.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

namespace {

// While a term is read, an operand is one of: x, k, a constant (by index) or an intermediate
// result (by temporary register). Registers get their final numbers when the constants are known.
struct SRef
{
    enum EKind : std::uint8_t
    {
        X,
        K,
        Constant,
        Temporary
    };
    EKind kind;
    std::int32_t index;
};

} // namespace

class CTermCompiler
{
public:
    CTermCompiler(CCompiledTerm& out, std::string_view term) : m_out{out}, m_end{term.data() + term.size()} {}

    void Run(std::string_view term)
    {
        SRef result = Emit(term.data(), term.size(), 1, 0);
        // Folding leaves the operands of folded parts behind; only the constants still read are
        // kept, so that an evaluation copies no more of them than it needs.
        std::vector<std::int32_t> renumbered(m_out.m_constants.size(), -1);
        std::vector<double> kept;
        const auto keep = [&](SRef::EKind kind, std::int32_t& index) {
            if (kind != SRef::Constant) {
                return;
            }
            auto& slot = renumbered[static_cast<std::size_t>(index)];
            if (slot < 0) {
                slot = static_cast<std::int32_t>(kept.size());
                kept.push_back(m_out.m_constants[static_cast<std::size_t>(index)]);
            }
            index = slot;
        };
        for (std::size_t i = 0; i < m_out.m_code.size(); ++i) {
            keep(m_kinds[i].a, m_out.m_code[i].a);
            keep(m_kinds[i].b, m_out.m_code[i].b);
        }
        keep(result.kind, result.index);
        m_out.m_constants = std::move(kept);
        const auto constants = static_cast<std::int32_t>(m_out.m_constants.size());
        const auto reg = [&](std::int32_t kind, std::int32_t index) -> std::int32_t {
            switch (kind) {
            case SRef::X:
                return CCompiledTerm::kXRegister;
            case SRef::K:
                return CCompiledTerm::kKRegister;
            case SRef::Constant:
                return 2 + index;
            default:
                return 2 + constants + index;
            }
        };
        for (std::size_t i = 0; i < m_out.m_code.size(); ++i) {
            CCompiledTerm::SInstruction& in = m_out.m_code[i];
            in.dst = reg(SRef::Temporary, in.dst);
            in.a = reg(m_kinds[i].a, in.a);
            in.b = reg(m_kinds[i].b, in.b);
        }
        m_out.m_result = reg(result.kind, result.index);
        m_out.m_registerCount = 2 + constants + m_temporaries;
        m_out.m_syntaxError = m_syntaxError != 0;
    }

private:
    struct SOperandKinds
    {
        SRef::EKind a;
        SRef::EKind b;
    };

    SRef Constant(double value)
    {
        m_out.m_constants.push_back(value);
        return SRef{SRef::Constant, static_cast<std::int32_t>(m_out.m_constants.size() - 1)};
    }

    double ConstantValue(SRef ref) const { return m_out.m_constants[static_cast<std::size_t>(ref.index)]; }

    SRef Instruction(CCompiledTerm::EOp op, std::uint8_t function, SRef a, SRef b, int freeTemp)
    {
        m_out.m_code.push_back(CCompiledTerm::SInstruction{op, function, freeTemp, a.index, b.index});
        m_kinds.push_back(SOperandKinds{a.kind, b.kind});
        m_temporaries = std::max(m_temporaries, freeTemp + 1);
        return SRef{SRef::Temporary, freeTemp};
    }

    // A part of constants only is computed now, by the very operations the program would run, but
    // only when it raises no flag: a part that fails keeps failing at every point, so it stays in
    // the program. The computation's flag is kept apart from the caller's.
    template <class Compute> bool TryFold(Compute&& compute, double& value)
    {
        const int saved = g_mathError;
        g_mathError = 0;
        value = compute();
        const bool failed = g_mathError != 0;
        g_mathError = saved;
        return !failed;
    }

    SRef Binary(char op, SRef left, SRef right, int freeTemp)
    {
        using EOp = CCompiledTerm::EOp;
        const EOp code = op == '+'   ? EOp::Add
                         : op == '-' ? EOp::Sub
                         : op == '*' ? EOp::Mul
                         : op == '/' ? EOp::Div
                                     : EOp::Pow;
        if (left.kind == SRef::Constant && right.kind == SRef::Constant) {
            const double l = ConstantValue(left);
            const double r = ConstantValue(right);
            double value{};
            const bool folded = TryFold(
                [&] {
                    switch (code) {
                    case EOp::Add:
                        return l + r;
                    case EOp::Sub:
                        return l - r;
                    case EOp::Mul:
                        return l * r;
                    case EOp::Div:
                        if (r == 0 || std::isnan(r)) {
                            g_mathError = 1;
                            return 1.0;
                        }
                        return l / r;
                    default:
                        return CheckedPow(l, r);
                    }
                },
                value);
            if (folded) {
                return Constant(value);
            }
        }
        if (code == EOp::Pow && right.kind == SRef::Constant) {
            const auto exponent = std::bit_cast<std::uint64_t>(ConstantValue(right));
            if (exponent == std::bit_cast<std::uint64_t>(2.0)) {
                return Instruction(EOp::Square, 0, left, left, freeTemp);
            }
            if (exponent == std::bit_cast<std::uint64_t>(3.0)) {
                return Instruction(EOp::Cube, 0, left, left, freeTemp);
            }
        }
        return Instruction(code, 0, left, right, freeTemp);
    }

    SRef Call(std::size_t entry, SRef argument, int freeTemp)
    {
        // A group returns its argument untouched.
        if (entry == 0) {
            return argument;
        }
        if (argument.kind == SRef::Constant) {
            const double a = ConstantValue(argument);
            double value{};
            if (TryFold([&] { return g_functionTable[entry].compute(a); }, value)) {
                return Constant(value);
            }
        }
        return Instruction(CCompiledTerm::EOp::Call, static_cast<std::uint8_t>(entry), argument, argument,
                           freeTemp);
    }

    SRef Negate(SRef operand, int freeTemp)
    {
        if (operand.kind == SRef::Constant) {
            return Constant(-ConstantValue(operand));
        }
        return Instruction(CCompiledTerm::EOp::Neg, 0, operand, operand, freeTemp);
    }

    // One view of the term at a nesting depth; temporaries from freeTemp up are free to use.
    SRef Emit(const char* text, std::size_t length, int depth, int freeTemp)
    {
        if (depth > kMaxTermDepth) {
            m_syntaxError = 1;
            return Constant(1.0);
        }
        for (;;) {
            if (length == 0) {
                return Constant(1.0);
            }

            static constexpr char levels[3][2] = {{'+', '-'}, {'*', '/'}, {'^', '^'}};
            for (const auto& level : levels) {
                const long p = FindOperator(text, length, level[0], level[1], m_syntaxError);
                if (p <= 0) {
                    continue;
                }
                auto first = static_cast<std::size_t>(p);
                for (long q = FindOperator(text, first, level[0], level[1], m_syntaxError); q > 0;
                     q = FindOperator(text, first, level[0], level[1], m_syntaxError)) {
                    first = static_cast<std::size_t>(q);
                }
                SRef value = Emit(text, first, depth + 1, freeTemp);
                for (std::size_t at = first; at < length;) {
                    const std::size_t next = NextSplit(text, length, at, level[0], level[1]);
                    const int rightTemp = value.kind == SRef::Temporary ? freeTemp + 1 : freeTemp;
                    const SRef right = Emit(text + at + 1, next - at - 1, depth + 1, rightTemp);
                    value = Binary(text[at], value, right, freeTemp);
                    at = next;
                }
                return value;
            }

            for (std::size_t entry = 0; entry < static_cast<std::size_t>(kFunctionCount); ++entry) {
                const std::string_view name = g_functionTable[entry].name;
                const std::size_t nameLength = name.size();
                if (static_cast<std::size_t>(m_end - text) < nameLength ||
                    std::memcmp(text, name.data(), nameLength) != 0) {
                    continue;
                }
                if (text[length - 1] != ')') {
                    m_syntaxError = 1;
                }
                SRef argument{};
                if (length >= nameLength + 1) {
                    argument = Emit(text + nameLength, length - nameLength - 1, depth + 1, freeTemp);
                } else {
                    m_syntaxError = 1;
                    argument = Constant(1.0);
                }
                return Call(entry, argument, freeTemp);
            }

            const char first = text[0];
            if (first == '-') {
                return Negate(Emit(text + 1, length - 1, depth + 1, freeTemp), freeTemp);
            }
            if (first == '+') {
                ++text;
                --length;
                continue;
            }
            if (IsDigit(first) || first == '.') {
                return Constant(ReadNumber(text, m_end));
            }
            if (IsLetter(first)) {
                switch (ToLower(first)) {
                case 'e':
                    return Constant(kE);
                case 'x':
                    return SRef{SRef::X, 0};
                case 'p':
                    if (text + 1 < m_end && ToLower(text[1]) == 'i') {
                        return Constant(kPi);
                    }
                    return SRef{SRef::K, 0};
                default:
                    return SRef{SRef::K, 0};
                }
            }
            m_syntaxError = 1;
            return Constant(1.0);
        }
    }

    CCompiledTerm& m_out;
    const char* m_end;
    std::vector<SOperandKinds> m_kinds;
    int m_temporaries{0};
    int m_syntaxError{0};
};

CCompiledTerm::CCompiledTerm(std::string_view term)
{
    CTermCompiler{*this, term}.Run(term);
    // Which registers vary with x, for the power whose exponent does.
    std::vector<std::uint8_t> ofX(static_cast<std::size_t>(m_registerCount), 0);
    ofX[kXRegister] = 1;
    const auto varies = [&](std::int32_t r) {
        return r >= 0 && r < m_registerCount && ofX[static_cast<std::size_t>(r)] != 0;
    };
    for (const SInstruction& in : m_code) {
        const bool binary = in.op == EOp::Add || in.op == EOp::Sub || in.op == EOp::Mul ||
                            in.op == EOp::Div || in.op == EOp::Pow;
        ofX[static_cast<std::size_t>(in.dst)] = varies(in.a) || (binary && varies(in.b)) ? 1 : 0;
        m_exponentOfX = m_exponentOfX || (in.op == EOp::Pow && varies(in.b));
    }
}
