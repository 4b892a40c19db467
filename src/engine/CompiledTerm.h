#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

// A term read once into a flat program, for callers that evaluate the same term at many points.
// It gives exactly the values and flags of the tests' interpreter on the same text: the same splits,
// the same quirks of reading numbers and names, the same arithmetic in the same order, the same
// 1.0 for every failed part. The interpreter re-reads the text at every point; this reads it once.
//
// Which parts of a term are evaluated never depends on x or k (every operand of every operator is
// always evaluated), so whether a term raises the syntax flag is known when it is read; only the
// math flag depends on the point.
class CCompiledTerm
{
public:
    explicit CCompiledTerm(std::string_view term);

    bool HasSyntaxError() const { return m_syntaxError; }

    // The value at one point. Raises g_syntaxError and g_mathError as Interpret does and clears
    // neither.
    double Evaluate(double x, double k) const;
    // The value at x, or nothing where the term fails there or is not finite. Leaves the math
    // flag as it found it, so that a probe does not count as a failure of the caller's own run.
    std::optional<double> DefinedValue(double x, double k) const;

    // The values at every x of `xs` with one k into `values`, and into `mathErrors` 1 where that
    // point raised the math flag, else 0. Leaves both flags as they were. The spans must be of the
    // same size.
    void EvaluateBatch(std::span<const double> xs, double k, std::span<double> values,
                       std::span<std::uint8_t> mathErrors) const;

    // The value and the first three derivatives with respect to x at one point, exactly up to
    // rounding: forward-mode differentiation over the program, carrying truncated Taylor series
    // through every instruction. Where a part of the term fails (the math flag), or where a
    // function has no derivative to carry (the factorial of a non-integer), the derivatives are
    // NaN. Leaves both flags as they were.
    struct SDerivatives
    {
        double value;
        double first;
        double second;
        double third;
    };
    SDerivatives EvaluateDerivatives(double x, double k) const;
    // The same up to the derivative of order `highest` (1 to 3), the higher ones NaN: fewer
    // coefficients to carry through every instruction, and the same values as above.
    SDerivatives EvaluateDerivatives(double x, double k, int highest) const;
    // The same values, and beside each a bound on how far rounding on the way may have moved it
    // (first order, by running error analysis over the same program). A derivative no larger than
    // its bound has no sign to go by. The bounds are infinite where a divisor may be 0 within its
    // own error, NaN where the derivative is.
    struct SBoundedDerivatives
    {
        SDerivatives value;
        SDerivatives bound;
    };
    SBoundedDerivatives EvaluateDerivativesWithBounds(double x, double k) const;

    // The instructions of the program, for the benchmarks' and tests' curiosity.
    std::size_t InstructionCount() const { return m_code.size(); }

    enum class EOp : std::uint8_t
    {
        Add,
        Sub,
        Mul,
        Div,
        Pow,
        Square, // Pow with the exponent 2, the same value and flag by a shorter way
        Cube,   // the same for the exponent 3
        Neg,
        Call
    };

    // One step: registers[dst] = a op b (a alone for Square, Cube, Neg and Call). Registers 0 and 1 hold x
    // and k, the next ones the constants, then the intermediate results.
    struct SInstruction
    {
        EOp op;
        std::uint8_t function; // index into g_functionTable for Call
        std::int32_t dst;
        std::int32_t a;
        std::int32_t b;
    };

    static constexpr std::int32_t kXRegister = 0;
    static constexpr std::int32_t kKRegister = 1;

    // The program itself, read only, for callers that look at the parts of a term (where each part
    // fails) rather than at its values.
    std::span<const SInstruction> Code() const { return m_code; }
    std::span<const double> Constants() const { return m_constants; }
    std::int32_t RegisterCount() const { return m_registerCount; }
    std::int32_t ResultRegister() const { return m_result; }

private:
    friend class CTermCompiler;

    // The constant in that register when it is one that division can never fail by (neither 0
    // nor NaN), for division without a check per point; nullptr otherwise.
    const double* SafeConstantDivisor(std::int32_t index) const;

    void EvaluateBlock(const double* xs, std::size_t count, double* values, std::uint8_t* mathErrors,
                       double* scratch) const;

    std::vector<SInstruction> m_code;
    std::vector<double> m_constants; // registers 2 .. 2 + size - 1
    std::int32_t m_registerCount{2};
    std::int32_t m_result{0};
    bool m_syntaxError{false};
    // A power whose exponent varies with x: how it is differentiated depends on every coefficient of
    // the exponent's series, so its derivatives are only carried in full.
    bool m_exponentOfX{false};
};
