// Exact derivatives of a compiled term. Every register carries the first four coefficients of the
// Taylor series of its value in x, so products, quotients and functions combine them by the
// rules of series arithmetic; no step size is chosen and nothing cancels as in a difference.
#include "engine/CheckedPowers.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "engine/MathFunctions.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>
#include <string_view>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// c[n] is the n-th derivative divided by n!, for n below N. Every operation's c[n] depends on its
// operands' c[0] to c[n] alone, so a shorter series gives the same first coefficients as a longer
// one, for less work.
template <int N> struct SSeries
{
    std::array<double, N> c{};
};

using STaylor = SSeries<4>;

template <int N> SSeries<N> Constant(double value)
{
    SSeries<N> r;
    r.c[0] = value;
    return r;
}

template <int N> bool IsConstant(const SSeries<N>& a)
{
    for (int n = 1; n < N; ++n) {
        if (a.c[n] != 0) {
            return false;
        }
    }
    return true;
}

template <int N> SSeries<N> Product(const SSeries<N>& a, const SSeries<N>& b)
{
    SSeries<N> r;
    for (int n = 0; n < N; ++n) {
        for (int i = 0; i <= n; ++i) {
            r.c[n] += a.c[i] * b.c[n - i];
        }
    }
    r.c[0] = a.c[0] * b.c[0];
    return r;
}

template <int N> SSeries<N> Quotient(const SSeries<N>& a, const SSeries<N>& b)
{
    SSeries<N> q;
    q.c[0] = a.c[0] / b.c[0];
    for (int n = 1; n < N; ++n) {
        double rest = a.c[n];
        for (int i = 0; i < n; ++i) {
            rest -= q.c[i] * b.c[n - i];
        }
        q.c[n] = rest / b.c[0];
    }
    return q;
}

// g and its first four derivatives at u's value, for g(u). g[4] only bounds the rounding of g[3]
// and is NaN where it is not worked out.
struct SJet
{
    std::array<double, 5> g{};
    bool identity{false}; // the bracket: u itself
};

// g(u) from g and its first three derivatives at u's value (Faà di Bruno up to the third order).
// A derivative that is 0 adds nothing, even beside an infinite factor.
template <int N> SSeries<N> Compose(const SSeries<N>& u, const SJet& jet)
{
    if (jet.identity) {
        return u;
    }
    const auto term = [](double factor, double value) { return factor == 0 ? 0.0 : factor * value; };
    const auto& g = jet.g;
    SSeries<N> r;
    r.c[0] = g[0];
    if constexpr (N > 1) {
        r.c[1] = term(g[1], u.c[1]);
    }
    if constexpr (N > 2) {
        r.c[2] = term(g[1], u.c[2]) + term(g[2], u.c[1] * u.c[1] / 2);
    }
    if constexpr (N > 3) {
        r.c[3] = term(g[1], u.c[3]) + term(g[2], u.c[1] * u.c[2]) + term(g[3], u.c[1] * u.c[1] * u.c[1] / 6);
    }
    return r;
}

SJet Jet(double g0, double g1, double g2, double g3, double g4 = kNaN)
{
    return SJet{{g0, g1, g2, g3, g4}, false};
}

// u^e for a constant exponent, its derivatives up to the order `highest` (each costs a pow; the
// others are NaN and never read).
SJet ConstantPowerJet(double a, double value, double e, int highest)
{
    const double g1 = e == 0 ? 0 : e * std::pow(a, e - 1);
    const double g2 = highest < 2 ? kNaN : e == 0 || e == 1 ? 0 : e * (e - 1) * std::pow(a, e - 2);
    const double g3 = highest < 3                  ? kNaN
                      : e == 0 || e == 1 || e == 2 ? 0
                                                   : e * (e - 1) * (e - 2) * std::pow(a, e - 3);
    const double g4 = highest < 4 ? kNaN
                      : e == 0 || e == 1 || e == 2 || e == 3
                          ? 0
                          : e * (e - 1) * (e - 2) * (e - 3) * std::pow(a, e - 4);
    return Jet(value, g1, g2, g3, g4);
}

// ln and its derivatives at a, for a^b = exp(b ln a).
SJet LogarithmJet(double a)
{
    return Jet(std::log(a), 1 / a, -1 / (a * a), 2 / (a * a * a), -6 / (a * a * a * a));
}

// The function of the table at a (u's value); `known` turns false where it has no derivative to
// carry.
SJet Call(std::string_view name, double a, double value, bool& known)
{
    if (name == "(") {
        return SJet{{}, true};
    }
    // value is the library's sin (or cos) of a wherever the derivatives count: where the call
    // failed, the math flag discards them. So each of sin and cos is computed once.
    if (name == "sin(") {
        const double c = std::cos(a);
        return Jet(value, c, -value, -c, value);
    }
    if (name == "cos(") {
        const double s = std::sin(a);
        return Jet(value, -s, -value, s, value);
    }
    if (name == "sqrt(") {
        return Jet(value, 0.5 / value, -0.25 / (value * a), 0.375 / (value * a * a),
                   -0.9375 / (value * a * a * a));
    }
    if (name == "tan(") {
        const double t = std::tan(a);
        const double g1 = 1 + t * t;
        const double g2 = 2 * t * g1;
        const double g3 = 2 * g1 * g1 + 2 * t * g2;
        return Jet(value, g1, g2, g3, 6 * g1 * g2 + 2 * t * g3);
    }
    if (name == "exp(") {
        return Jet(value, value, value, value, value);
    }
    if (name == "ln(" || name == "log(") {
        const double scale = name == "ln(" ? 1.0 : 1 / std::log(10.0);
        return Jet(value, scale / a, -scale / (a * a), 2 * scale / (a * a * a), -6 * scale / (a * a * a * a));
    }
    if (name == "asin(" || name == "acos(") {
        const double s = 1 - a * a;
        const double sign = name == "asin(" ? 1.0 : -1.0;
        return Jet(value, sign / std::sqrt(s), sign * a / (s * std::sqrt(s)),
                   sign * (1 + 2 * a * a) / (s * s * std::sqrt(s)),
                   sign * (9 * a + 6 * a * a * a) / (s * s * s * std::sqrt(s)));
    }
    if (name == "atan(") {
        const double s = 1 + a * a;
        return Jet(value, 1 / s, -2 * a / (s * s), (6 * a * a - 2) / (s * s * s),
                   (24 * a - 24 * a * a * a) / (s * s * s * s));
    }
    if (name == "abs(") {
        return Jet(value, a < 0 ? -1.0 : 1.0, 0, 0, 0);
    }
    if (name == "sinh(") {
        const double c = std::cosh(a);
        return Jet(value, c, value, c, value);
    }
    if (name == "cosh(") {
        const double s = std::sinh(a);
        return Jet(value, s, value, s, value);
    }
    if (name == "tanh(") {
        const double g1 = 1 - value * value;
        const double g2 = -2 * value * g1;
        const double g3 = -2 * g1 * g1 - 2 * value * g2;
        return Jet(value, g1, g2, g3, -6 * g1 * g2 - 2 * value * g3);
    }
    if (name == "!(") {
        // A product of a, a - 1, ... whose length jumps with a: no derivative worth carrying.
        known = false;
        return Jet(value, 0, 0, 0, 0);
    }
    // ceil, floor, fib, sgn and int are constant between their steps.
    return Jet(value, 0, 0, 0, 0);
}

template <int N> SSeries<N> Sum(const SSeries<N>& a, const SSeries<N>& b, bool subtract)
{
    SSeries<N> r;
    for (int n = 0; n < N; ++n) {
        r.c[n] = subtract ? a.c[n] - b.c[n] : a.c[n] + b.c[n];
    }
    return r;
}

template <int N> SSeries<N> Negated(const SSeries<N>& a)
{
    SSeries<N> r;
    for (int n = 0; n < N; ++n) {
        r.c[n] = -a.c[n];
    }
    return r;
}

// A series with a bound on the rounding error of each coefficient, carried by the usual running
// error analysis: every operation adds what its operands' errors make of its result, plus its own
// rounding. The bounds are of first order (products of two errors are kept where they are cheap),
// which is what tells a derivative from the noise of a cancellation: (x^2-1)/(x-1) has f'' = 0,
// but computes it from differences of numbers near 2 divided by (x-1)^3.
struct SBounded
{
    STaylor v;
    STaylor e;
};

constexpr double kUnit = std::numeric_limits<double>::epsilon();

bool IsConstant(const SBounded& a)
{
    return IsConstant(a.v);
}

// x itself: its value is exact, and its derivative 1.
template <int N> void Lift(SSeries<N>& x)
{
    if constexpr (N > 1) {
        x.c[1] = 1;
    }
}

void Lift(SBounded& x)
{
    Lift(x.v);
}

// a * b where a factor that is 0 makes 0 even beside an infinite one.
double Times(double a, double b)
{
    return a == 0 || b == 0 ? 0.0 : a * b;
}

template <int N> SSeries<N> Constant(const SSeries<N>&, double value)
{
    return Constant<N>(value);
}

SBounded Constant(const SBounded&, double value)
{
    return SBounded{Constant<4>(value), {}};
}

template <int N> double Value(const SSeries<N>& a)
{
    return a.c[0];
}

double Value(const SBounded& a)
{
    return a.v.c[0];
}

SBounded Sum(const SBounded& a, const SBounded& b, bool subtract)
{
    SBounded r{Sum(a.v, b.v, subtract), {}};
    for (int n = 0; n < 4; ++n) {
        r.e.c[n] = a.e.c[n] + b.e.c[n] + kUnit * std::fabs(r.v.c[n]);
    }
    return r;
}

SBounded Negated(const SBounded& a)
{
    return SBounded{Negated(a.v), a.e};
}

SBounded Product(const SBounded& a, const SBounded& b)
{
    SBounded r{Product(a.v, b.v), {}};
    for (int n = 0; n < 4; ++n) {
        double spread = 0;
        double size = 0;
        for (int i = 0; i <= n; ++i) {
            const double ai = std::fabs(a.v.c[i]);
            const double bi = std::fabs(b.v.c[n - i]);
            spread += Times(ai, b.e.c[n - i]) + Times(a.e.c[i], bi) + Times(a.e.c[i], b.e.c[n - i]);
            size += Times(ai, bi);
        }
        r.e.c[n] = spread + (n + 1) * kUnit * size;
    }
    return r;
}

// A divisor that its error may turn to 0 leaves nothing of the quotient known.
SBounded Quotient(const SBounded& a, const SBounded& b)
{
    SBounded q{Quotient(a.v, b.v), {}};
    const double divisor = std::fabs(b.v.c[0]);
    if (!(b.e.c[0] < divisor)) {
        q.e.c.fill(std::numeric_limits<double>::infinity());
        return q;
    }
    for (int n = 0; n < 4; ++n) {
        double rest = a.e.c[n];
        double size = std::fabs(a.v.c[n]);
        for (int i = 0; i < n; ++i) {
            const double qi = std::fabs(q.v.c[i]);
            const double bi = std::fabs(b.v.c[n - i]);
            rest += Times(q.e.c[i], bi) + Times(qi, b.e.c[n - i]) + Times(q.e.c[i], b.e.c[n - i]);
            size += Times(qi, bi);
        }
        const double qn = std::fabs(q.v.c[n]);
        q.e.c[n] = (rest + (n + 1) * kUnit * size + Times(qn, b.e.c[0])) / (divisor - b.e.c[0]) + kUnit * qn;
    }
    return q;
}

SBounded Compose(const SBounded& u, const SJet& jet)
{
    if (jet.identity) {
        return u;
    }
    SBounded r{Compose(u.v, jet), {}};
    const auto& g = jet.g;
    const double eu0 = u.e.c[0];
    // Each g[k] is off by its own rounding (a few units, for the library's function and the
    // formula of the derivative) and by what the error of u's value moves it: g[k + 1] times it.
    // Where g[4] is not worked out, g[3] is taken to move as fast as a power does.
    std::array<double, 4> eg{};
    for (int k = 0; k < 4; ++k) {
        double moved = 0;
        if (k < 3 || !std::isnan(g[4])) {
            moved = Times(std::fabs(g[k + 1]), eu0);
        } else if (eu0 != 0) {
            const double a = std::fabs(u.v.c[0]);
            moved = std::fabs(g[3]) * (a == 0 ? 1.0 : std::min(1.0, 4 * eu0 / a));
        }
        eg[k] = moved + 4 * kUnit * std::fabs(g[k]);
    }
    const std::array<double, 4> au{std::fabs(u.v.c[0]), std::fabs(u.v.c[1]), std::fabs(u.v.c[2]),
                                   std::fabs(u.v.c[3])};
    const std::array<double, 4>& e = u.e.c;
    const double a1 = std::fabs(g[1]);
    const double a2 = std::fabs(g[2]);
    const double a3 = std::fabs(g[3]);
    r.e.c[0] = eg[0];
    r.e.c[1] = Times(eg[1], au[1]) + Times(a1, e[1]) + kUnit * std::fabs(r.v.c[1]);
    r.e.c[2] = Times(eg[1], au[2]) + Times(a1, e[2]) + Times(eg[2], au[1] * au[1] / 2) +
               Times(a2, au[1] * e[1] + e[1] * e[1] / 2) +
               3 * kUnit * (Times(a1, au[2]) + Times(a2, au[1] * au[1] / 2));
    r.e.c[3] =
        Times(eg[1], au[3]) + Times(a1, e[3]) + Times(eg[2], au[1] * au[2]) +
        Times(a2, e[1] * au[2] + au[1] * e[2] + e[1] * e[2]) + Times(eg[3], au[1] * au[1] * au[1] / 6) +
        Times(a3, (au[1] * au[1] * e[1] + au[1] * e[1] * e[1]) / 2 + e[1] * e[1] * e[1] / 6) +
        4 * kUnit * (Times(a1, au[3]) + Times(a2, au[1] * au[2]) + Times(a3, au[1] * au[1] * au[1] / 6));
    return r;
}

// The highest derivative of a function that a series of type R reads from its jet: the bounds read
// one more than the series carries.
template <class R> constexpr int kJetOrder = 4;
template <int N> constexpr int kJetOrder<SSeries<N>> = N - 1;

// The program run over series of type R (SSeries, or SBounded for the bounds as well). The values
// are the same for both: the bounds are computed beside them, never from them back.
template <class R> R RunProgram(const CCompiledTerm& term, double x, double k, bool& known)
{
    const std::int32_t count = term.RegisterCount();
    // The registers of each thread, kept between calls: an allocation per point cost more than
    // a short term's whole run.
    thread_local std::vector<R> r;
    r.assign(static_cast<std::size_t>(count), R{});
    r[CCompiledTerm::kXRegister] = Constant(R{}, x);
    Lift(r[CCompiledTerm::kXRegister]);
    r[CCompiledTerm::kKRegister] = Constant(R{}, k);
    const std::span<const double> constants = term.Constants();
    for (std::size_t c = 0; c < constants.size(); ++c) {
        r[2 + c] = Constant(R{}, constants[c]);
    }
    for (const CCompiledTerm::SInstruction& in : term.Code()) {
        const R& a = r[static_cast<std::size_t>(in.a)];
        const R b = in.b >= 0 && in.b < count ? r[static_cast<std::size_t>(in.b)] : R{};
        const double a0 = Value(a);
        const double b0 = Value(b);
        R result;
        switch (in.op) {
        case CCompiledTerm::EOp::Add:
        case CCompiledTerm::EOp::Sub:
            result = Sum(a, b, in.op == CCompiledTerm::EOp::Sub);
            break;
        case CCompiledTerm::EOp::Mul:
            result = Product(a, b);
            break;
        case CCompiledTerm::EOp::Div:
            if (b0 == 0 || std::isnan(b0)) {
                g_mathError = 1;
                result = Constant(R{}, 1.0);
            } else {
                result = Quotient(a, b);
            }
            break;
        case CCompiledTerm::EOp::Pow:
            if (IsConstant(b)) {
                result = Compose(a, ConstantPowerJet(a0, CheckedPow(a0, b0), b0, kJetOrder<R>));
            } else if (a0 > 0) {
                // a^b = exp(b ln a), with the value itself from pow.
                const double value = CheckedPow(a0, b0);
                result =
                    Compose(Product(b, Compose(a, LogarithmJet(a0))), Jet(value, value, value, value, value));
            } else {
                result = Constant(R{}, CheckedPow(a0, b0));
                known = false;
            }
            break;
        case CCompiledTerm::EOp::Square:
            // The derivatives of the small powers by products: pow of a whole exponent is the
            // product rounded once, and costs more than the rest of a short term.
            result = Compose(a, Jet(CheckedSquare(a0), 2 * a0, 2, 0, 0));
            break;
        case CCompiledTerm::EOp::Cube:
            result = Compose(a, Jet(CheckedCube(a0), 3 * (a0 * a0), 6 * a0, 6, 0));
            break;
        case CCompiledTerm::EOp::Neg:
            result = Negated(a);
            break;
        case CCompiledTerm::EOp::Call:
            result = Compose(a, Call(g_functionTable[in.function].name, a0,
                                     g_functionTable[in.function].compute(a0), known));
            break;
        }
        r[static_cast<std::size_t>(in.dst)] = result;
    }
    return r[static_cast<std::size_t>(term.ResultRegister())];
}

template <int N> CCompiledTerm::SDerivatives Derivatives(const CCompiledTerm& term, double x, double k)
{
    const int savedMath = g_mathError;
    const int savedSyntax = g_syntaxError;
    g_mathError = 0;
    bool known = true;
    const SSeries<N> f = RunProgram<SSeries<N>>(term, x, k, known);
    const bool usable = known && g_mathError == 0;
    g_mathError = savedMath;
    g_syntaxError = savedSyntax;
    CCompiledTerm::SDerivatives d{f.c[0], kNaN, kNaN, kNaN};
    if (usable) {
        d.first = f.c[1];
        if constexpr (N > 2) {
            d.second = 2 * f.c[2];
        }
        if constexpr (N > 3) {
            d.third = 6 * f.c[3];
        }
    }
    return d;
}

} // namespace

CCompiledTerm::SDerivatives CCompiledTerm::EvaluateDerivatives(double x, double k) const
{
    return Derivatives<4>(*this, x, k);
}

CCompiledTerm::SDerivatives CCompiledTerm::EvaluateDerivatives(double x, double k, int highest) const
{
    if (m_exponentOfX || highest >= 3) {
        CCompiledTerm::SDerivatives d = Derivatives<4>(*this, x, k);
        if (highest < 3) {
            d.third = kNaN;
        }
        if (highest < 2) {
            d.second = kNaN;
        }
        return d;
    }
    return highest == 2 ? Derivatives<3>(*this, x, k) : Derivatives<2>(*this, x, k);
}

CCompiledTerm::SBoundedDerivatives CCompiledTerm::EvaluateDerivativesWithBounds(double x, double k) const
{
    const int savedMath = g_mathError;
    const int savedSyntax = g_syntaxError;
    g_mathError = 0;
    bool known = true;
    const SBounded f = RunProgram<SBounded>(*this, x, k, known);
    const bool usable = known && g_mathError == 0;
    g_mathError = savedMath;
    g_syntaxError = savedSyntax;
    if (!usable) {
        return {{f.v.c[0], kNaN, kNaN, kNaN}, {f.e.c[0], kNaN, kNaN, kNaN}};
    }
    return {{f.v.c[0], f.v.c[1], 2 * f.v.c[2], 6 * f.v.c[3]},
            {f.e.c[0], f.e.c[1], 2 * f.e.c[2], 6 * f.e.c[3]}};
}
