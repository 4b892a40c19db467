// Running a CCompiledTerm: one point at a time, or a block of points one instruction at a time.
// Every operation is the interpreter's own (the same division rule, CheckedPow, the functions of
// g_functionTable), so each point sees the same roundings in the same order.
#include "engine/CompiledTerm.h"

#include "engine/CheckedPowers.h"
#include "engine/InstructionStep.h"
#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"

#include <algorithm>
#include <bit>
#include <cmath>

namespace {

constexpr std::size_t kMaxBlock = 256;

// Registers of terms too large for the stack; grown once per thread, never per evaluation.
double* Scratch(std::size_t size)
{
    thread_local std::vector<double> scratch;
    if (scratch.size() < size) {
        scratch.resize(size);
    }
    return scratch.data();
}

// Points per block of a batch: enough to spread the cost of stepping through the program, few
// enough that the registers of one block stay in the cache even for long terms.
std::size_t BlockSize(std::int32_t registers)
{
    constexpr std::size_t kBudget = 1 << 16; // doubles
    const std::size_t fits = kBudget / static_cast<std::size_t>(registers);
    return std::clamp<std::size_t>(fits, 16, kMaxBlock);
}

// The quick way of a small whole power at every point of a block, in place, with the marks as
// doubles: so the loop takes several points at once, four with AVX2. An undecided point keeps its
// base for pow. Returns whether any point is left for pow, so that the common block, where the
// quick way decided every point, needs no second pass.
template <class ByProduct>
[[gnu::always_inline]] inline bool QuickPowers(double* __restrict values, double* __restrict decided,
                                               std::size_t count, ByProduct byProduct)
{
    // Or-ed as bits, not summed: a sum of doubles would have to keep its order, one lane at a time.
    std::uint64_t undecided = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const double base = values[i];
        const SQuickPower power = byProduct(base);
        decided[i] = power.decided;
        values[i] = power.decided != 0 ? power.power : base;
        undecided |= std::bit_cast<std::uint64_t>(1.0 - power.decided);
    }
    return undecided != 0;
}

bool QuickSquares(double* values, double* decided, std::size_t count)
{
    return QuickPowers(values, decided, count, [](double base) { return SquareByProduct(base); });
}

bool QuickCubes(double* values, double* decided, std::size_t count)
{
    return QuickPowers(values, decided, count, [](double base) { return CubeByProduct(base); });
}

#if defined(__x86_64__)
[[gnu::target("avx2,fma")]] bool FusedQuickSquares(double* values, double* decided, std::size_t count)
{
    return QuickPowers(values, decided, count,
                       [](double base) { return SquareByProduct<checked_powers::SFusedProduct>(base); });
}

[[gnu::target("avx2,fma")]] bool FusedQuickCubes(double* values, double* decided, std::size_t count)
{
    return QuickPowers(values, decided, count,
                       [](double base) { return CubeByProduct<checked_powers::SFusedProduct>(base); });
}
#endif

using QuickPass = bool (*)(double*, double*, std::size_t);

QuickPass QuickSquarePass()
{
#if defined(__x86_64__)
    if (checked_powers::UseFusedPaths()) {
        return FusedQuickSquares;
    }
#endif
    return QuickSquares;
}

QuickPass QuickCubePass()
{
#if defined(__x86_64__)
    if (checked_powers::UseFusedPaths()) {
        return FusedQuickCubes;
    }
#endif
    return QuickCubes;
}

const QuickPass g_quickSquares = QuickSquarePass();
const QuickPass g_quickCubes = QuickCubePass();

// 1 / c where that is exact and finite, which is so exactly for the powers of two whose
// reciprocal is no infinity; 0 otherwise. A multiplication is several times quicker than a division.
double ExactReciprocal(double c)
{
    int exponent = 0;
    const double mantissa = std::frexp(c, &exponent);
    if (std::fabs(mantissa) != 0.5) {
        return 0;
    }
    const double reciprocal = 1.0 / c;
    return std::isfinite(reciprocal) && reciprocal * c == 1.0 ? reciprocal : 0;
}

// pow at the points the quick way left, whose bases `values` still holds. They are a few in a
// hundred, so groups of eight are first tested at once and mostly skipped.
void PowBlock(double* values, const double* decided, std::uint8_t* mathErrors, std::size_t count,
              double exponent)
{
    constexpr std::size_t kGroup = 8;
    for (std::size_t start = 0; start < count; start += kGroup) {
        const std::size_t end = std::min(start + kGroup, count);
        std::uint64_t undecided = 0;
        for (std::size_t i = start; i < end; ++i) {
            undecided |= std::bit_cast<std::uint64_t>(1.0 - decided[i]);
        }
        if (undecided == 0) {
            continue;
        }
        for (std::size_t i = start; i < end; ++i) {
            if (decided[i] == 0.0) {
                g_mathError = 0;
                values[i] = CheckedPow(values[i], exponent);
                mathErrors[i] |= static_cast<std::uint8_t>(g_mathError);
            }
        }
    }
}

// A small whole power over a block: first the quick way at every point, then pow where the
// quick way could not decide, which is rare. Worked in the result's register, which is often the
// base's own.
void PowerBlock(const double* a, double* d, std::uint8_t* mathErrors, std::size_t count, QuickPass quickPass,
                double exponent)
{
    if (a != d) {
        std::copy_n(a, count, d);
    }
    double decided[kMaxBlock];
    if (quickPass(d, decided, count)) {
        PowBlock(d, decided, mathErrors, count, exponent);
    }
}

} // namespace

double CCompiledTerm::Evaluate(double x, double k) const
{
    if (m_syntaxError) {
        g_syntaxError = 1;
    }
    constexpr std::int32_t kLocal = 32;
    double local[kLocal];
    double* r = m_registerCount <= kLocal ? local : Scratch(static_cast<std::size_t>(m_registerCount));
    r[kXRegister] = x;
    r[kKRegister] = k;
    std::copy(m_constants.begin(), m_constants.end(), r + 2);
    for (const SInstruction& in : m_code) {
        RunInstruction(in, r);
    }
    return r[m_result];
}

void CCompiledTerm::EvaluateBatch(std::span<const double> xs, double k, std::span<double> values,
                                  std::span<std::uint8_t> mathErrors) const
{
    const int savedMathError = g_mathError;
    const std::size_t block = BlockSize(m_registerCount);
    const auto registers = static_cast<std::size_t>(m_registerCount);
    // Register 0 is read from the input itself; k and the constants are spread over their blocks
    // once for the whole batch.
    double* scratch = Scratch(registers * block);
    std::fill_n(scratch + kKRegister * block, block, k);
    for (std::size_t c = 0; c < m_constants.size(); ++c) {
        std::fill_n(scratch + (2 + c) * block, block, m_constants[c]);
    }
    for (std::size_t start = 0; start < xs.size(); start += block) {
        const std::size_t count = std::min(block, xs.size() - start);
        EvaluateBlock(xs.data() + start, count, values.data() + start, mathErrors.data() + start, scratch);
    }
    g_mathError = savedMathError;
}

const double* CCompiledTerm::SafeConstantDivisor(std::int32_t index) const
{
    const auto constant = static_cast<std::size_t>(index - 2);
    if (index < 2 || constant >= m_constants.size()) {
        return nullptr;
    }
    const double& c = m_constants[constant];
    return (c == 0 || std::isnan(c)) ? nullptr : &c;
}

void CCompiledTerm::EvaluateBlock(const double* xs, std::size_t count, double* values,
                                  std::uint8_t* mathErrors, double* scratch) const
{
    const std::size_t block = BlockSize(m_registerCount);
    const auto reg = [&](std::int32_t index) -> double* {
        return scratch + static_cast<std::size_t>(index) * block;
    };
    const auto in = [&](std::int32_t index) -> const double* {
        return index == kXRegister ? xs : reg(index);
    };
    std::fill_n(mathErrors, count, std::uint8_t{0});
    for (const SInstruction& step : m_code) {
        const double* a = in(step.a);
        const double* b = in(step.b);
        double* d = reg(step.dst);
        switch (step.op) {
        case EOp::Add:
            for (std::size_t i = 0; i < count; ++i) {
                d[i] = a[i] + b[i];
            }
            break;
        case EOp::Sub:
            for (std::size_t i = 0; i < count; ++i) {
                d[i] = a[i] - b[i];
            }
            break;
        case EOp::Mul:
            for (std::size_t i = 0; i < count; ++i) {
                d[i] = a[i] * b[i];
            }
            break;
        case EOp::Div:
            if (const double* divisor = SafeConstantDivisor(step.b)) {
                const double c = *divisor;
                if (const double reciprocal = ExactReciprocal(c); reciprocal != 0) {
                    // a / c and a * (1 / c) are the same real number, so they round alike.
                    for (std::size_t i = 0; i < count; ++i) {
                        d[i] = a[i] * reciprocal;
                    }
                    break;
                }
                for (std::size_t i = 0; i < count; ++i) {
                    d[i] = a[i] / c;
                }
                break;
            }
            for (std::size_t i = 0; i < count; ++i) {
                const double divisor = b[i];
                const bool failed = divisor == 0 || std::isnan(divisor);
                d[i] = failed ? 1.0 : a[i] / divisor;
                mathErrors[i] |= failed ? 1 : 0;
            }
            break;
        case EOp::Pow:
            for (std::size_t i = 0; i < count; ++i) {
                g_mathError = 0;
                d[i] = CheckedPow(a[i], b[i]);
                mathErrors[i] |= static_cast<std::uint8_t>(g_mathError);
            }
            break;
        case EOp::Square:
            PowerBlock(a, d, mathErrors, count, g_quickSquares, 2.0);
            break;
        case EOp::Cube:
            PowerBlock(a, d, mathErrors, count, g_quickCubes, 3.0);
            break;
        case EOp::Neg:
            for (std::size_t i = 0; i < count; ++i) {
                d[i] = -a[i];
            }
            break;
        case EOp::Call:
            g_functionTable[step.function].computeBatch(a, d, mathErrors, count);
            break;
        }
    }
    std::copy_n(in(m_result), count, values);
}

std::optional<double> CCompiledTerm::DefinedValue(double x, double k) const
{
    const int saved = g_mathError;
    g_mathError = 0;
    const double value = Evaluate(x, k);
    const bool failed = g_mathError != 0;
    g_mathError = saved;
    if (failed || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}
