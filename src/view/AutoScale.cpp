// Automatic y scaling: a y range and step from sampled values of every function.
#include "view/Graph.h"

#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"

#include "document/StepLoop.h"
#include "view/DerivedCurveValues.h"
#include "view/DrawLimits.h"
#include "view/GraphLayout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

constexpr double kNoSample = 1e10;

void Widen(std::span<const double> values, std::span<const std::uint8_t> undefined, double& lo, double& hi)
{
    for (std::size_t s = 0; s < values.size(); ++s) {
        if (undefined[s] == 0 && std::isfinite(values[s])) {
            hi = std::max(hi, values[s]);
            lo = std::min(lo, values[s]);
        }
    }
}

} // namespace

std::vector<double> CGraph::SamplesAwayFromPoles(const CCompiledTerm& f, double k, std::span<const double> xs,
                                                 double step) const
{
    std::vector<double> away(xs.begin(), xs.end());
    if (m_samplers.poles == nullptr || xs.empty() || f.HasSyntaxError()) {
        return away;
    }
    const std::vector<double> poles = m_samplers.poles(f, k, xs.front(), xs.back());
    // Closer than one step to a pole, a sample says more about the step than about the curve.
    std::erase_if(away, [&](double x) {
        return std::any_of(poles.begin(), poles.end(), [&](double p) { return std::abs(x - p) < step; });
    });
    return away;
}

void CGraph::WidenByDerived(std::span<const double> xs, double& lo, double& hi) const
{
    const double step = xs.size() > 1 ? xs[1] - xs[0] : 0.0;
    for (const CDerivedCurve& curve : m_derived) {
        const std::size_t source = curve.GetSource();
        if (source >= m_functions.size() || m_functions[source].GetTerm().empty()) {
            continue;
        }
        if (IsLocusKind(curve.GetKind())) {
            if (m_samplers.locus == nullptr) {
                continue;
            }
            const std::shared_ptr<const LocusBranches> branches = m_samplers.locus(
                m_functions[source], curve.GetKind() == EDerivedKind::LocusOfInflections, m_scaling);
            for (const std::vector<SWorldPoint>& branch : *branches) {
                for (const SWorldPoint& p : branch) {
                    if (std::isfinite(p.y)) {
                        hi = std::max(hi, p.y);
                        lo = std::min(lo, p.y);
                    }
                }
            }
            continue;
        }
        const CCompiledTerm compiled{m_functions[source].GetTerm()};
        if (compiled.HasSyntaxError()) {
            continue;
        }
        const auto member = [&](double k) {
            const std::vector<double> away = SamplesAwayFromPoles(compiled, k, xs, step);
            std::vector<double> values(away.size());
            std::vector<std::uint8_t> undefined(away.size());
            DerivedCurveValues(compiled, curve, k, m_samplers.antiderivative, away, values, undefined);
            Widen(values, undefined, lo, hi);
        };
        // With a slider on its source, the curve shows one member: that one alone sets the range.
        if (m_focus && m_focus->function == source) {
            member(m_focus->k);
            continue;
        }
        const int cap =
            curve.GetKind() == EDerivedKind::Antiderivative ? kMaxAntiderivativeMembers : kMaxFamilyCurves;
        int curves = 0;
        ForEachFamilyValue(m_functions[source], [&](double k) {
            member(k);
            return ++curves < cap;
        });
    }
}

void CGraph::AutoScaleY(int intervals)
{
    const int n = std::max(intervals, 1);
    const CAxisRange xr = DrawableXAxis(m_scaling);
    const double dxs = (xr.to - xr.from) / 50;

    std::vector<double> xs;
    ForEachStep(xr.from, xr.to, dxs, [&](double x) { xs.push_back(x); });
    std::vector<double> values(xs.size());
    std::vector<std::uint8_t> mathErrors(xs.size());

    double hi = -kNoSample;
    double lo = kNoSample;
    for (const CGraphFunction& function : m_functions) {
        const std::string& term = function.GetTerm();
        if (term.empty()) {
            continue;
        }
        // After its first failing sample the rest of the function, for every k, counts no more.
        // The flag is left raised by such a function, as the samples one by one would leave it.
        const CCompiledTerm compiled{term};
        bool failed = false;
        int curves = 0;
        ForEachFamilyValue(function, [&](double k) {
            // The samples beside a pole would stretch the range until every curve lies flat on an
            // axis; the curve's own values either side of them still count.
            const std::vector<double> away = SamplesAwayFromPoles(compiled, k, xs, dxs);
            values.resize(away.size());
            mathErrors.resize(away.size());
            compiled.EvaluateBatch(away, k, values, mathErrors);
            if (!xs.empty() && compiled.HasSyntaxError()) {
                g_syntaxError = 1;
            }
            for (std::size_t s = 0; s < away.size(); ++s) {
                if (mathErrors[s] != 0) {
                    failed = true;
                    break;
                }
                // An overflow to infinity raises no flag, but it has no place on an axis.
                const double v = values[s];
                if (std::isfinite(v)) {
                    hi = std::max(hi, v);
                    lo = std::min(lo, v);
                }
            }
            return !failed && ++curves < kMaxFamilyCurves;
        });
        g_mathError = failed ? 1 : 0;
    }
    {
        // The derived curves leave both flags as the functions left them.
        const int syntax = g_syntaxError;
        const int math = g_mathError;
        WidenByDerived(xs, lo, hi);
        g_syntaxError = syntax;
        g_mathError = math;
    }
    if (hi == -kNoSample) {
        hi = 5;
    }
    if (lo == kNoSample) {
        lo = -5;
    }

    // A step of 1, 2 or 5 times a power of ten that gives about n intervals. Equal values make
    // log10 meet its pole, which has always been read as 1: the step then starts from 10.
    const double t = (hi - lo) / n;
    double step = std::pow(10.0, t > 0 ? std::ceil(std::log10(t)) : 1.0);
    if (std::abs(step) < 0.001) {
        step = 0.001;
    }
    const double s = step;
    if (s / 2 > t) {
        step = s / 2;
        if (s / 5 > t) {
            step = s / 5;
        }
    }

    // Both ends move outwards to the step's grid; each loop also ends when the step is too small
    // to change values of this size.
    if (lo < 0 && hi > 0) {
        double v = 0;
        do {
            const double next = v - step;
            if (!(next < v)) {
                break;
            }
            v = next;
        } while (v > lo);
        lo = v;
    }
    double upper = lo;
    if (lo < hi) {
        double v = lo;
        do {
            const double next = v + step;
            if (!(next > v)) {
                break;
            }
            v = next;
        } while (v < hi);
        upper = v;
    }

    // All samples equal (a constant): one step on either side, so the curve runs through the
    // middle instead of leaving an empty range.
    if (!(lo < upper)) {
        lo -= step;
        upper += step;
    }
    // Values so large that their range or step overflows, or that no step can separate, leave
    // nothing to show: the range of a new graph then.
    if (!std::isfinite(lo) || !std::isfinite(upper) || !std::isfinite(step) || !(lo < upper)) {
        lo = -5;
        upper = 5;
        step = 1;
    }
    m_scaling.SetYRange(lo, upper, step);
}
