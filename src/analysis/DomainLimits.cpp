#include "analysis/DomainLimits.h"

#include "analysis/DomainProgram.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr int kMaxHalvings = 160;
// The nearest points that decide; nearer ones than the first of these are noise-free enough,
// farther ones say nothing about the limit.
constexpr std::size_t kTail = 20;
// A value whose rounding may be more than this share of it is noise to a limit.
constexpr double kCleanShare = 1e-8;
constexpr std::size_t kFewestClean = 8;

double Tolerance(const SSideLimit& side)
{
    return 1e-9 * std::max(1.0, std::fabs(side.limit)) + 4 * side.spread;
}

SSideLimit Judge(const std::vector<double>& values)
{
    SSideLimit side;
    const std::size_t count = std::min(kTail, values.size());
    const double* tail = values.data() + (values.size() - count);
    const double last = tail[count - 1];
    if (count < 2) {
        side.kind = SSideLimit::Finite;
        side.limit = last;
        return side;
    }
    bool growing = count >= 4;
    for (std::size_t i = 1; i < count && growing; ++i) {
        growing = std::fabs(tail[i]) > std::fabs(tail[i - 1]);
    }
    if (growing) {
        // Growth that does not slow down (1/x doubles per halving, ln|x| adds a constant), or that
        // has already left the start far behind. A limit that is only approached slowly (1 - x^0.1)
        // gains less and less.
        const double firstGain = std::fabs(tail[1]) - std::fabs(tail[0]);
        const double lastGain = std::fabs(tail[count - 1]) - std::fabs(tail[count - 2]);
        if (lastGain >= 0.5 * firstGain || std::fabs(last) >= 1e6 * (1 + std::fabs(tail[0]))) {
            side.kind = SSideLimit::Unbounded;
            side.limit = std::copysign(std::numeric_limits<double>::infinity(), last);
            return side;
        }
    }
    int turns = 0;
    double previousStep = 0;
    double low = tail[0];
    double high = tail[0];
    for (std::size_t i = 1; i < count; ++i) {
        const double step = tail[i] - tail[i - 1];
        if (step != 0) {
            turns += previousStep != 0 && (step > 0) != (previousStep > 0) ? 1 : 0;
            previousStep = step;
        }
        low = std::min(low, tail[i]);
        high = std::max(high, tail[i]);
    }
    const double scale = 1 + std::max(std::fabs(low), std::fabs(high));
    if (2 * turns >= static_cast<int>(count - 1) && high - low > 1e-6 * scale) {
        side.kind = SSideLimit::Oscillating;
        side.limit = std::numeric_limits<double>::quiet_NaN();
        return side;
    }
    side.kind = SSideLimit::Finite;
    side.limit = last;
    side.spread = std::fabs(last - tail[count - 2]);
    return side;
}

} // namespace

SSideLimit ApproachSide(CDomainProgram& program, double anchor, double direction, double room)
{
    if (!(room > 0)) {
        return {};
    }
    const double magnitude = std::fabs(anchor);
    const double unit = std::nextafter(magnitude, std::numeric_limits<double>::infinity()) - magnitude;
    // Start no farther than the anchor's own size: a place at 2 in a range of ±1e300 is reached
    // in some fifty halvings, not in a thousand.
    double d = std::min(room, std::max(1.0, magnitude));
    std::vector<double> values;
    // The values before rounding swamps them, as far as they reach from the farthest one.
    std::vector<double> clean;
    bool noisy = false;
    bool nearestDefined = false;
    for (int j = 0; j < kMaxHalvings && d >= 8 * unit; ++j, d *= 0.5) {
        const double x = anchor + direction * d;
        if (x == anchor) {
            break;
        }
        const auto value = program.Value(x);
        nearestDefined = value.has_value();
        if (value) {
            values.push_back(*value);
            noisy = noisy || !(program.RoundingBound(x) <= kCleanShare * std::fabs(*value));
            if (!noisy) {
                clean.push_back(*value);
            }
        } else {
            values.clear();
            clean.clear();
            noisy = false;
        }
    }
    if (!nearestDefined || values.empty()) {
        return {};
    }
    const SSideLimit nearest = Judge(values);
    if (clean.size() < kFewestClean || clean.size() == values.size() ||
        nearest.kind == SSideLimit::Oscillating) {
        return nearest;
    }
    // Where f cancels beside the place ((exp(x)-1)/x at 0, (x^2-2)/(x-sqrt(2)) at its gap), the
    // nearest values are rounding noise: 1-cos(x) is 0 there, exp(x)-1 a few units over x. The
    // values before the noise decide then; the nearest ones keep the word where they agree with
    // them, since a noise-free nearest value is the more exact limit ((x^2-1)/(x-1) gives 2 there).
    // They decide only where they have settled: a few values far from the place say little.
    const SSideLimit settled = Judge(clean);
    if (settled.kind == SSideLimit::Finite &&
        settled.spread <= 1e-6 * std::max(1.0, std::fabs(settled.limit)) &&
        (nearest.kind != SSideLimit::Finite ||
         std::fabs(nearest.limit - settled.limit) > Tolerance(settled))) {
        return settled;
    }
    return nearest;
}

bool SameLimit(const SSideLimit& left, const SSideLimit& right)
{
    return left.kind == SSideLimit::Finite && right.kind == SSideLimit::Finite &&
           std::fabs(left.limit - right.limit) <= Tolerance(left) + Tolerance(right);
}

bool SameAsLimit(double value, const SSideLimit& side)
{
    return side.kind == SSideLimit::Finite && std::fabs(value - side.limit) <= Tolerance(side);
}
