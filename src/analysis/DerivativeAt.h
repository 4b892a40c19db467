#pragma once

#include "analysis/PieceRoots.h"
#include "analysis/Refinement.h"
#include "engine/CompiledTerm.h"
#include "engine/Derivatives.h"
#include "engine/ErrorFlags.h"

#include <cmath>
#include <functional>
#include <limits>

// f and its derivatives at one point for one k: the exact ones where the term has them, else the
// program's difference formulas. NaN where f is not defined; the math flag is left as it was.
class CDerivativeAt
{
public:
    CDerivativeAt(const CCompiledTerm& term, double k) : m_term{term}, m_k{k} {}

    double operator()(double x, int order) const
    {
        const int saved = g_mathError;
        g_mathError = 0;
        double value{};
        if (order == 0) {
            value = m_term.Evaluate(x, m_k);
        } else {
            const CCompiledTerm::SDerivatives d = m_term.EvaluateDerivatives(x, m_k, order);
            value = order == 1 ? d.first : order == 2 ? d.second : d.third;
            if (std::isnan(value) && !std::isnan(d.value)) {
                g_mathError = 0;
                value = EvaluateOrder(m_term, x, m_k, order);
            }
        }
        const bool failed = g_mathError != 0;
        g_mathError = saved;
        return failed ? std::numeric_limits<double>::quiet_NaN() : value;
    }

    QuantityAt Order(int order) const
    {
        return [this, order](double x) { return (*this)(x, order); };
    }

    // The derivative of an order and the next one, from one exact evaluation where the term has it.
    std::function<SValueAndSlope(double)> WithSlope(int order) const
    {
        return [this, order](double x) {
            const CCompiledTerm::SDerivatives d = m_term.EvaluateDerivatives(x, m_k, order + 1);
            const double all[] = {d.value, d.first, d.second, d.third};
            SValueAndSlope both{all[order], all[order + 1]};
            if (std::isnan(both.value) || std::isnan(both.slope)) {
                both = {(*this)(x, order), (*this)(x, order + 1)};
            }
            return both;
        };
    }

    // f, f', f'' and f''' from one exact evaluation, NaN where the term has them not.
    std::function<void(double, double*)> Series() const
    {
        return [this](double x, double* out) {
            const CCompiledTerm::SDerivatives d = m_term.EvaluateDerivatives(x, m_k);
            out[0] = d.value;
            out[1] = d.first;
            out[2] = d.second;
            out[3] = d.third;
        };
    }

    double K() const { return m_k; }

    // The same with the bounds of their rounding errors.
    std::function<SValueAndSlope(double)> WithBounds(int order) const
    {
        return [this, order](double x) {
            const CCompiledTerm::SBoundedDerivatives d = m_term.EvaluateDerivativesWithBounds(x, m_k);
            const double all[] = {d.value.value, d.value.first, d.value.second, d.value.third};
            const double bounds[] = {d.bound.value, d.bound.first, d.bound.second, d.bound.third};
            SValueAndSlope both{all[order], all[order + 1], bounds[order], bounds[order + 1]};
            if (std::isnan(both.value) || std::isnan(both.slope)) {
                both = {(*this)(x, order), (*this)(x, order + 1), StepBound(x, order),
                        StepBound(x, order + 1)};
            }
            return both;
        };
    }

    // What a difference formula's value is worth: how far the formula with half the step lies
    // from it. At a kink (sqrt(x^2) at 0, where the exact derivatives are infinite times 0) the
    // two differ by as much as the value itself, which then has no sign; where f is smooth they
    // agree closely. f itself (order 0) is evaluated, not differenced; the third derivative has
    // no half-step formula and is taken as it comes.
    double StepBound(double x, int order) const
    {
        if (order != 1 && order != 2) {
            return 0.0;
        }
        const double full = (*this)(x, order);
        const double half = HalfStepDerivative(m_term, x, m_k, order);
        const double bound = std::fabs(full - half);
        return std::isnan(bound) ? 0.0 : bound;
    }

private:
    const CCompiledTerm& m_term;
    double m_k;
};
