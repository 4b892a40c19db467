// Exact derivatives of a compiled term. Every register carries the first four coefficients of the
// Taylor series of its value in x, so products, quotients and functions combine them by the
// rules of series arithmetic; no step size is chosen and nothing cancels as in a difference.
#include "engine/CheckedPowers.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"

#include <array>
#include <cmath>
#include <limits>
#include <string_view>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// c[n] is the n-th derivative divided by n!.
struct STaylor
{
    std::array<double, 4> c{};
};

STaylor Constant(double value)
{
    return STaylor{{value, 0, 0, 0}};
}

bool IsConstant(const STaylor& a)
{
    return a.c[1] == 0 && a.c[2] == 0 && a.c[3] == 0;
}

STaylor Product(const STaylor& a, const STaylor& b)
{
    STaylor r;
    for (int n = 0; n < 4; ++n) {
        for (int i = 0; i <= n; ++i) {
            r.c[n] += a.c[i] * b.c[n - i];
        }
    }
    r.c[0] = a.c[0] * b.c[0];
    return r;
}

STaylor Quotient(const STaylor& a, const STaylor& b)
{
    STaylor q;
    q.c[0] = a.c[0] / b.c[0];
    for (int n = 1; n < 4; ++n) {
        double rest = a.c[n];
        for (int i = 0; i < n; ++i) {
            rest -= q.c[i] * b.c[n - i];
        }
        q.c[n] = rest / b.c[0];
    }
    return q;
}

// g(u) from g and its first three derivatives at u's value (Faà di Bruno up to the third order).
// A derivative that is 0 adds nothing, even beside an infinite factor.
STaylor Compose(const STaylor& u, double g0, double g1, double g2, double g3)
{
    const auto term = [](double factor, double value) { return factor == 0 ? 0.0 : factor * value; };
    STaylor r;
    r.c[0] = g0;
    r.c[1] = term(g1, u.c[1]);
    r.c[2] = term(g1, u.c[2]) + term(g2, u.c[1] * u.c[1] / 2);
    r.c[3] = term(g1, u.c[3]) + term(g2, u.c[1] * u.c[2]) + term(g3, u.c[1] * u.c[1] * u.c[1] / 6);
    return r;
}

// u^e for a constant exponent.
STaylor ConstantPower(const STaylor& u, double value, double e)
{
    const double a = u.c[0];
    const double g1 = e == 0 ? 0 : e * std::pow(a, e - 1);
    const double g2 = e == 0 || e == 1 ? 0 : e * (e - 1) * std::pow(a, e - 2);
    const double g3 = e == 0 || e == 1 || e == 2 ? 0 : e * (e - 1) * (e - 2) * std::pow(a, e - 3);
    return Compose(u, value, g1, g2, g3);
}

// The function of the table at u; `known` turns false where it has no derivative to carry.
STaylor Call(std::string_view name, const STaylor& u, double value, bool& known)
{
    const double a = u.c[0];
    if (name == "(") {
        return u;
    }
    if (name == "sin(") {
        return Compose(u, value, std::cos(a), -std::sin(a), -std::cos(a));
    }
    if (name == "cos(") {
        return Compose(u, value, -std::sin(a), -std::cos(a), std::sin(a));
    }
    if (name == "sqrt(") {
        return Compose(u, value, 0.5 / value, -0.25 / (value * a), 0.375 / (value * a * a));
    }
    if (name == "tan(") {
        const double t = std::tan(a);
        const double g1 = 1 + t * t;
        const double g2 = 2 * t * g1;
        return Compose(u, value, g1, g2, 2 * g1 * g1 + 2 * t * g2);
    }
    if (name == "exp(") {
        return Compose(u, value, value, value, value);
    }
    if (name == "ln(" || name == "log(") {
        const double scale = name == "ln(" ? 1.0 : 1 / std::log(10.0);
        return Compose(u, value, scale / a, -scale / (a * a), 2 * scale / (a * a * a));
    }
    if (name == "asin(" || name == "acos(") {
        const double s = 1 - a * a;
        const double sign = name == "asin(" ? 1.0 : -1.0;
        return Compose(u, value, sign / std::sqrt(s), sign * a / (s * std::sqrt(s)),
                       sign * (1 + 2 * a * a) / (s * s * std::sqrt(s)));
    }
    if (name == "atan(") {
        const double s = 1 + a * a;
        return Compose(u, value, 1 / s, -2 * a / (s * s), (6 * a * a - 2) / (s * s * s));
    }
    if (name == "abs(") {
        return Compose(u, value, a < 0 ? -1.0 : 1.0, 0, 0);
    }
    if (name == "sinh(") {
        return Compose(u, value, std::cosh(a), value, std::cosh(a));
    }
    if (name == "cosh(") {
        return Compose(u, value, std::sinh(a), value, std::sinh(a));
    }
    if (name == "tanh(") {
        const double g1 = 1 - value * value;
        const double g2 = -2 * value * g1;
        return Compose(u, value, g1, g2, -2 * g1 * g1 - 2 * value * g2);
    }
    if (name == "!(") {
        // A product of a, a - 1, ... whose length jumps with a: no derivative worth carrying.
        known = false;
        return Constant(value);
    }
    // ceil, floor, fib, sgn and int are constant between their steps.
    return Constant(value);
}

} // namespace

CCompiledTerm::SDerivatives CCompiledTerm::EvaluateDerivatives(double x, double k) const
{
    const int savedMath = g_mathError;
    const int savedSyntax = g_syntaxError;
    g_mathError = 0;
    bool known = true;
    std::vector<STaylor> r(static_cast<std::size_t>(m_registerCount));
    r[kXRegister] = STaylor{{x, 1, 0, 0}};
    r[kKRegister] = Constant(k);
    for (std::size_t c = 0; c < m_constants.size(); ++c) {
        r[2 + c] = Constant(m_constants[c]);
    }
    for (const SInstruction& in : m_code) {
        const STaylor& a = r[static_cast<std::size_t>(in.a)];
        const STaylor b = in.b >= 0 && in.b < m_registerCount ? r[static_cast<std::size_t>(in.b)] : STaylor{};
        STaylor result;
        switch (in.op) {
        case EOp::Add:
        case EOp::Sub:
            for (int n = 0; n < 4; ++n) {
                result.c[n] = in.op == EOp::Add ? a.c[n] + b.c[n] : a.c[n] - b.c[n];
            }
            break;
        case EOp::Mul:
            result = Product(a, b);
            break;
        case EOp::Div:
            if (b.c[0] == 0 || std::isnan(b.c[0])) {
                g_mathError = 1;
                result = Constant(1.0);
            } else {
                result = Quotient(a, b);
            }
            break;
        case EOp::Pow:
            if (IsConstant(b)) {
                result = ConstantPower(a, CheckedPow(a.c[0], b.c[0]), b.c[0]);
            } else if (a.c[0] > 0) {
                // a^b = exp(b ln a), with the value itself from pow.
                const STaylor logarithm = Compose(a, std::log(a.c[0]), 1 / a.c[0], -1 / (a.c[0] * a.c[0]),
                                                  2 / (a.c[0] * a.c[0] * a.c[0]));
                const double value = CheckedPow(a.c[0], b.c[0]);
                result = Compose(Product(b, logarithm), value, value, value, value);
            } else {
                result = Constant(CheckedPow(a.c[0], b.c[0]));
                known = false;
            }
            break;
        case EOp::Square:
            result = ConstantPower(a, CheckedSquare(a.c[0]), 2);
            break;
        case EOp::Cube:
            result = ConstantPower(a, CheckedCube(a.c[0]), 3);
            break;
        case EOp::Neg:
            for (int n = 0; n < 4; ++n) {
                result.c[n] = -a.c[n];
            }
            break;
        case EOp::Call:
            result = Call(g_functionTable[in.function].name, a, g_functionTable[in.function].compute(a.c[0]),
                          known);
            break;
        }
        r[static_cast<std::size_t>(in.dst)] = result;
    }
    const STaylor& f = r[static_cast<std::size_t>(m_result)];
    const bool usable = known && g_mathError == 0;
    g_mathError = savedMath;
    g_syntaxError = savedSyntax;
    if (!usable) {
        return {f.c[0], kNaN, kNaN, kNaN};
    }
    return {f.c[0], f.c[1], 2 * f.c[2], 6 * f.c[3]};
}
