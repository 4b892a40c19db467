#include "analysis/FarBehaviour.h"

#include "engine/CompiledTerm.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The values at side * 10^(1 + j/4), from 10 to 10^15, up to the first place where f is not
// defined after it was: far out that is mostly overflow (exp(x) beyond 709), so the values before
// it decide. Places where f is not defined before the first value are passed over (ln(x - 100)).
struct SFarValues
{
    std::vector<double> values;
    // f was defined, then not: beyond the values it is not defined, or overflows.
    bool ended{false};
    // f was defined, then not, then defined again: sqrt(sin(x)).
    bool definedAgain{false};
};

SFarValues FarValues(const CCompiledTerm& term, double k, int side)
{
    SFarValues far;
    bool ended = false;
    for (int j = 0; j <= 56; ++j) {
        const std::optional<double> y = term.DefinedValue(side * std::pow(10.0, 1.0 + j / 4.0), k);
        if (!y) {
            ended = !far.values.empty();
        } else if (ended) {
            far.definedAgain = true;
            break;
        } else {
            far.values.push_back(*y);
        }
    }
    far.ended = ended;
    return far;
}

double Spread(const std::vector<double>& values, std::size_t from)
{
    const auto [low, high] = std::minmax_element(values.begin() + static_cast<std::ptrdiff_t>(from), values.end());
    return *high - *low;
}

SResultLimit LimitOf(const SFarValues& far, int side)
{
    SResultLimit limit;
    limit.toward = side;
    limit.numerical = true;
    const std::vector<double>& y = far.values;
    if (y.empty()) {
        limit.limit = ELimit::Undefined;
        return limit;
    }
    if (far.definedAgain) {
        // Defined, undefined and defined again on the way out: sqrt(sin(x)).
        limit.limit = ELimit::None;
        return limit;
    }
    // Values that end while still small end because f is no longer defined (sqrt(1000 - x));
    // values that end huge end in overflow, and what they did before tells where f goes.
    if (far.ended && std::fabs(y.back()) < 1e100) {
        limit.limit = ELimit::Undefined;
        return limit;
    }
    if (y.size() < 6) {
        limit.limit = ELimit::Unknown;
        return limit;
    }
    const std::size_t n = y.size();
    const std::size_t tail = n >= 24 ? n - 24 : 0;
    // Settled: the last eight values agree.
    const double scale = std::max(1.0, std::fabs(y.back()));
    if (n >= 8 && Spread(y, n - 8) <= 1e-7 * scale) {
        limit.limit = ELimit::Value;
        limit.value = y.back();
        return limit;
    }
    // Moving one way without slowing down: to an infinity (ln(x) moves by the same step each
    // time, a polynomial by ever larger ones).
    bool rising = true;
    bool falling = true;
    for (std::size_t i = tail; i + 1 < n; ++i) {
        rising = rising && y[i + 1] > y[i];
        falling = falling && y[i + 1] < y[i];
    }
    const double firstStep = std::fabs(y[tail + 1] - y[tail]);
    const double lastStep = std::fabs(y[n - 1] - y[n - 2]);
    if ((rising || falling) && lastStep >= 0.5 * firstStep) {
        limit.limit = rising ? ELimit::PlusInfinity : ELimit::MinusInfinity;
        return limit;
    }
    // Swinging by as much at the end as before: sin(x), x*sin(x).
    const std::size_t half = tail + (n - tail) / 2;
    if (!rising && !falling && Spread(y, half) >= 0.5 * Spread(std::vector<double>(y.begin(), y.begin() + static_cast<std::ptrdiff_t>(half)), tail)) {
        limit.limit = ELimit::None;
        return limit;
    }
    limit.limit = ELimit::Unknown;
    return limit;
}

// y = m*x + b that f approaches where it grows without bound: from (f(2x) - f(x)) / x and
// 2 f(x) - f(2x), which tend to m and b with errors that fall like 1/x^2 and 1/x for a rational f,
// then checked: f - (m x + b) must keep shrinking out to 10^7.
std::optional<SResultAsymptote> ObliqueOf(const CCompiledTerm& term, double k, int side)
{
    std::vector<double> slopes;
    std::vector<double> intercepts;
    for (int j = 2; j <= 12; ++j) {
        const double x = side * std::pow(10.0, 1.0 + j / 2.0);
        const std::optional<double> f1 = term.DefinedValue(x, k);
        const std::optional<double> f2 = term.DefinedValue(2 * x, k);
        if (!f1 || !f2) {
            return std::nullopt;
        }
        slopes.push_back((*f2 - *f1) / x);
        intercepts.push_back(2 * *f1 - *f2);
    }
    const double m = slopes.back();
    const double b = intercepts.back();
    if (!std::isfinite(m) || !std::isfinite(b) || std::fabs(m) < 1e-9 ||
        Spread(slopes, slopes.size() - 4) > 1e-6 * std::max(1.0, std::fabs(m)) ||
        Spread(intercepts, intercepts.size() - 4) > 1e-4 * std::max(1.0, std::fabs(b))) {
        return std::nullopt;
    }
    double previous = INFINITY;
    for (double x : {1e4, 1e5, 1e6, 1e7}) {
        const std::optional<double> f = term.DefinedValue(side * x, k);
        if (!f) {
            return std::nullopt;
        }
        const double rest = std::fabs(*f - (m * side * x + b));
        if (rest > previous) {
            return std::nullopt;
        }
        previous = rest;
    }
    if (previous > 1e-4 * std::max(1.0, std::fabs(b))) {
        return std::nullopt;
    }
    SResultAsymptote asymptote;
    asymptote.kind = EAsymptote::Oblique;
    asymptote.slope = m;
    asymptote.intercept = b;
    asymptote.side = side;
    asymptote.numerical = true;
    return asymptote;
}

} // namespace

SFarBehaviour FarBehaviourOf(const CCompiledTerm& term, double k, int side)
{
    SFarBehaviour far;
    far.limit = LimitOf(FarValues(term, k, side), side);
    if (far.limit.limit == ELimit::Value) {
        SResultAsymptote horizontal;
        horizontal.kind = EAsymptote::Horizontal;
        horizontal.intercept = far.limit.value;
        horizontal.side = side;
        horizontal.numerical = true;
        far.asymptote = horizontal;
    } else if (far.limit.limit == ELimit::PlusInfinity || far.limit.limit == ELimit::MinusInfinity) {
        far.asymptote = ObliqueOf(term, k, side);
    }
    return far;
}
