#include "engine/Derivatives.h"

#include <algorithm>
#include <array>
#include <cstdint>

double EvaluateOrder(const CCompiledTerm& term, double x, double k, int order)
{
    // These formulas are CTermInterpreter::Evaluate's, operation for operation; their results are compared
    // digit for digit with the interpreter's.
    const auto f = [&](double at) { return term.Evaluate(at, k); };
    switch (order) {
    case 0:
        return f(x);
    case 1: {
        const double a = f(x + 0.001);
        const double b = f(x - 0.001);
        double t = 8 * (a - b);
        const double c = f(x + 0.002);
        t = t - c;
        const double d = f(x - 0.002);
        t = t + d;
        return t / 0.012;
    }
    case 2: {
        const double a = f(x - 0.005);
        const double b = f(x + 0.005);
        double t = 16 * (a + b);
        const double c = f(x);
        t = t - 30 * c;
        const double d = f(x - 0.01);
        t = t - d;
        const double e = f(x + 0.01);
        t = t - e;
        return t / 0.0003;
    }
    default: {
        const double a = f(x - 0.01);
        const double b = f(x + 0.01);
        double t = 2 * (a - b);
        const double c = f(x - 0.02);
        t = t - c;
        const double d = f(x + 0.02);
        t = t + d;
        return t / 2.0000000000000003e-06;
    }
    }
}

namespace {

constexpr std::size_t kBlock = 512;

// The points of one block of a batch with their offsets, and the term's values there.
class CShiftedValues
{
public:
    CShiftedValues(const CCompiledTerm& term, const double* xs, std::size_t count, double k)
        : m_term{term}, m_xs{xs}, m_count{count}, m_k{k}
    {
    }

    // f(x + offset) at every point of the block; valid until the next call.
    const double* At(double offset)
    {
        for (std::size_t i = 0; i < m_count; ++i) {
            m_shifted[i] = m_xs[i] + offset;
        }
        m_term.EvaluateBatch(std::span{m_shifted.data(), m_count}, m_k, std::span{m_values.data(), m_count},
                             std::span{m_errors.data(), m_count});
        return m_values.data();
    }

    // f(x) at every point of the block.
    const double* AtPoints()
    {
        m_term.EvaluateBatch(std::span{m_xs, m_count}, m_k, std::span{m_values.data(), m_count},
                             std::span{m_errors.data(), m_count});
        return m_values.data();
    }

private:
    const CCompiledTerm& m_term;
    const double* m_xs;
    std::size_t m_count;
    double m_k;
    std::array<double, kBlock> m_shifted{};
    std::array<double, kBlock> m_values{};
    std::array<std::uint8_t, kBlock> m_errors{};
};

// x - h is computed as x + (-h): negating a double is exact and IEEE subtraction is the addition
// of the negated operand, so both give the same bits.
void Block(const CCompiledTerm& term, const double* xs, std::size_t n, double k, int order, double* out)
{
    CShiftedValues f{term, xs, n, k};
    std::array<double, kBlock> t{};
    switch (order) {
    case 0: {
        const double* v = f.AtPoints();
        std::copy_n(v, n, out);
        return;
    }
    case 1: {
        const double* a = f.At(0.001);
        std::copy_n(a, n, t.data());
        const double* b = f.At(-0.001);
        for (std::size_t i = 0; i < n; ++i) {
            t[i] = 8 * (t[i] - b[i]);
        }
        const double* c = f.At(0.002);
        for (std::size_t i = 0; i < n; ++i) {
            t[i] = t[i] - c[i];
        }
        const double* d = f.At(-0.002);
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = (t[i] + d[i]) / 0.012;
        }
        return;
    }
    case 2: {
        const double* a = f.At(-0.005);
        std::copy_n(a, n, t.data());
        const double* b = f.At(0.005);
        for (std::size_t i = 0; i < n; ++i) {
            t[i] = 16 * (t[i] + b[i]);
        }
        const double* c = f.AtPoints();
        for (std::size_t i = 0; i < n; ++i) {
            t[i] = t[i] - 30 * c[i];
        }
        const double* d = f.At(-0.01);
        for (std::size_t i = 0; i < n; ++i) {
            t[i] = t[i] - d[i];
        }
        const double* e = f.At(0.01);
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = (t[i] - e[i]) / 0.0003;
        }
        return;
    }
    default: {
        const double* a = f.At(-0.01);
        std::copy_n(a, n, t.data());
        const double* b = f.At(0.01);
        for (std::size_t i = 0; i < n; ++i) {
            t[i] = 2 * (t[i] - b[i]);
        }
        const double* c = f.At(-0.02);
        for (std::size_t i = 0; i < n; ++i) {
            t[i] = t[i] - c[i];
        }
        const double* d = f.At(0.02);
        for (std::size_t i = 0; i < n; ++i) {
            out[i] = (t[i] + d[i]) / 2.0000000000000003e-06;
        }
        return;
    }
    }
}

} // namespace

void EvaluateOrderBatch(const CCompiledTerm& term, std::span<const double> xs, double k, int order,
                        std::span<double> values)
{
    for (std::size_t start = 0; start < xs.size(); start += kBlock) {
        const std::size_t n = std::min(kBlock, xs.size() - start);
        Block(term, xs.data() + start, n, k, order, values.data() + start);
    }
}
