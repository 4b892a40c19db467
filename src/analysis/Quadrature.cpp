#include "analysis/Quadrature.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <queue>
#include <vector>

namespace {

// The nodes of the 15-point Kronrod rule on [-1, 1] (the non-negative half, from the outermost in);
// the odd positions are the nodes of the 7-point Gauss rule.
constexpr std::array<double, 8> kNodes{
    0.991455371120812639206854697526329, 0.949107912342758524526189684047851,
    0.864864423359769072789712788640926, 0.741531185599394439863864773280788,
    0.586087235467691130294144845693013, 0.405845151377397166906606412076961,
    0.207784955007898467600689403773245, 0.000000000000000000000000000000000};
constexpr std::array<double, 8> kKronrodWeights{
    0.022935322010529224963732008058970, 0.063092092629978553290700663189204,
    0.104790010322250183839876322541518, 0.140653259715525918745189590510238,
    0.169004726639267902826583426598550, 0.190350578064785409913256402421014,
    0.204432940075298892414161999234649, 0.209482141084727828012999174891714};
constexpr std::array<double, 4> kGaussWeights{
    0.129484966168869693270611432679082, 0.279705391489276667901467771423780,
    0.381830050505118944950369775488975, 0.417959183673469387755102040816327};

struct SPart
{
    double a;
    double b;
    double value;
    double error;
    double magnitude;
    bool operator<(const SPart& other) const { return error < other.error; }
};

// One part by both rules; false with `undefined` set where the integrand fails at a node.
bool Rule(const Integrand& f, double a, double b, SPart& part, double& undefined)
{
    // Halved before they are added, so that a range near the largest doubles does not overflow.
    const double centre = 0.5 * a + 0.5 * b;
    const double half = 0.5 * b - 0.5 * a;
    double kronrod = 0;
    double gauss = 0;
    double magnitude = 0;
    for (std::size_t i = 0; i < kNodes.size(); ++i) {
        const bool gaussNode = i % 2 == 1;
        const double offset = half * kNodes[i];
        const int sides = i + 1 == kNodes.size() ? 1 : 2;
        for (int side = 0; side < sides; ++side) {
            const double x = side == 0 ? centre - offset : centre + offset;
            const std::optional<double> y = f(x);
            if (!y) {
                undefined = x;
                return false;
            }
            kronrod += kKronrodWeights[i] * *y;
            if (gaussNode) {
                gauss += kGaussWeights[i / 2] * *y;
            }
            magnitude = std::max(magnitude, std::fabs(*y));
        }
    }
    part = SPart{a, b, kronrod * half, std::fabs((kronrod - gauss) * half), magnitude};
    return true;
}

} // namespace

SQuadrature IntegrateAdaptive(const Integrand& f, double a, double b, int pieces, double tolerance,
                              int maxParts, std::stop_token stop)
{
    SQuadrature result;
    std::priority_queue<SPart> parts;
    pieces = std::max(pieces, 1);
    double undefined{};
    for (int i = 0; i < pieces; ++i) {
        const double half = 0.5 * b - 0.5 * a;
        const double lo = i == 0 ? a : a + half * (2.0 * i / pieces);
        const double hi = i + 1 == pieces ? b : a + half * (2.0 * (i + 1) / pieces);
        SPart part{};
        if (!Rule(f, lo, hi, part, undefined)) {
            result.undefinedAt = undefined;
            return result;
        }
        parts.push(part);
    }
    const auto total = [&] {
        double error = 0;
        auto copy = parts;
        while (!copy.empty()) {
            error += copy.top().error;
            copy.pop();
        }
        return error;
    };
    // The sum of the errors is kept as it changes; a fresh sum now and then keeps rounding from
    // piling up in it.
    double running = total();
    int splits = 0;
    while (running > tolerance && static_cast<int>(parts.size()) < maxParts) {
        const SPart worst = parts.top();
        const double middle = 0.5 * worst.a + 0.5 * worst.b;
        // A part too narrow to halve is as good as it gets.
        if (!(middle > worst.a && middle < worst.b)) {
            break;
        }
        if (stop.stop_requested()) {
            result.stopped = true;
            return result;
        }
        parts.pop();
        SPart left{};
        SPart right{};
        if (!Rule(f, worst.a, middle, left, undefined) || !Rule(f, middle, worst.b, right, undefined)) {
            result.undefinedAt = undefined;
            return result;
        }
        parts.push(left);
        parts.push(right);
        running += left.error + right.error - worst.error;
        if (++splits % 256 == 0) {
            running = total();
        }
    }
    result.parts = static_cast<int>(parts.size());
    result.worstAt = 0.5 * parts.top().a + 0.5 * parts.top().b;
    result.worstMagnitude = parts.top().magnitude;
    double value = 0;
    // Summed from the smallest error up, which is near enough to from the smallest value up.
    std::vector<SPart> ordered;
    while (!parts.empty()) {
        ordered.push_back(parts.top());
        parts.pop();
    }
    double error = 0;
    for (auto it = ordered.rbegin(); it != ordered.rend(); ++it) {
        value += it->value;
        error += it->error;
    }
    result.value = value;
    result.error = error;
    return result;
}
