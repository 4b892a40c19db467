#include "analysis/Refinement.h"

#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"

#include <cmath>
#include <limits>

namespace {

// The flags belong to whoever called the scan; a refinement must not leave its own behind.
class CKeptMathFlag
{
public:
    CKeptMathFlag() : m_saved{g_mathError} {}
    ~CKeptMathFlag() { g_mathError = m_saved; }
    CKeptMathFlag(const CKeptMathFlag&) = delete;
    CKeptMathFlag& operator=(const CKeptMathFlag&) = delete;

private:
    int m_saved;
};

// g at x, or nothing when the evaluation is not a number or raised the math flag.
bool Defined(const QuantityAt& g, double x, double& value)
{
    g_mathError = 0;
    value = g(x);
    return g_mathError == 0 && !std::isnan(value);
}

} // namespace

double HalfStepDerivative(const CCompiledTerm& term, double x, double k, int order)
{
    const CKeptMathFlag kept;
    const auto f = [&](double at) { return term.Evaluate(at, k); };
    if (order == 1) {
        const double h = 0.0005;
        return (8 * (f(x + h) - f(x - h)) - f(x + 2 * h) + f(x - 2 * h)) / (12 * h);
    }
    const double h = 0.0025;
    return (16 * (f(x - h) + f(x + h)) - 30 * f(x) - f(x - 2 * h) - f(x + 2 * h)) / (12 * h * h);
}

bool OppositeSigns(double a, double b)
{
    return (a < 0 && b > 0) || (a > 0 && b < 0);
}

SBisection BisectSignChange(const QuantityAt& g, double lo, double gLo, double hi, double gHi)
{
    const CKeptMathFlag kept;
    for (;;) {
        const double m = lo + (hi - lo) / 2;
        if (m <= lo || m >= hi) {
            break;
        }
        double value{};
        if (!Defined(g, m, value)) {
            return {};
        }
        if (value == 0) {
            double below{};
            double above{};
            constexpr double kInf = std::numeric_limits<double>::infinity();
            if (!Defined(g, std::nextafter(m, -kInf), below) || !Defined(g, std::nextafter(m, kInf), above)) {
                return {};
            }
            return {true, m, std::fmax(std::fabs(below), std::fabs(above))};
        }
        if ((value < 0) == (gLo < 0)) {
            lo = m;
            gLo = value;
        } else {
            hi = m;
            gHi = value;
        }
    }
    return std::fabs(gHi) < std::fabs(gLo) ? SBisection{true, hi, std::fabs(gHi)}
                                           : SBisection{true, lo, std::fabs(gLo)};
}

double MinimiseMagnitude(const QuantityAt& g, const QuantityAt& slope, double lo, double hi)
{
    const CKeptMathFlag kept;
    double sLo{};
    double sHi{};
    if (Defined(slope, lo, sLo) && Defined(slope, hi, sHi) && OppositeSigns(sLo, sHi)) {
        const SBisection flat = BisectSignChange(slope, lo, sLo, hi, sHi);
        if (flat.settled) {
            return flat.x;
        }
    }
    // Without a usable slope (a stretch where g is constant, a slope that does not turn), search
    // for the least |g| directly; a value that is not a number counts as far from 0.
    const auto size = [&](double x) {
        double value{};
        return Defined(g, x, value) ? std::fabs(value) : std::numeric_limits<double>::infinity();
    };
    const double ratio = (std::sqrt(5.0) - 1) / 2;
    double c = hi - ratio * (hi - lo);
    double d = lo + ratio * (hi - lo);
    double fc = size(c);
    double fd = size(d);
    for (int i = 0; i < 200 && c < d; ++i) {
        if (fc <= fd) {
            hi = d;
            d = c;
            fd = fc;
            c = hi - ratio * (hi - lo);
            fc = size(c);
        } else {
            lo = c;
            c = d;
            fc = fd;
            d = lo + ratio * (hi - lo);
            fd = size(d);
        }
    }
    return fc <= fd ? c : d;
}
