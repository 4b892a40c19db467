#include "analysis/Intersections.h"

#include "analysis/AnalysisSink.h"
#include "analysis/ExactZeros.h"
#include "analysis/ResultText.h"
#include "document/StepLoop.h"
#include "engine/TextEncoding.h"
#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {

// Points compared at once when telling whether two terms agree.
constexpr std::size_t kCompareBlock = 4096;

// Points of a first, coarse look: two different terms nearly always differ at one of them, so the
// full comparison over every scan point runs only for terms that are equal after all.
constexpr int kCoarsePoints = 257;

bool SameResult(double a, std::uint8_t aFailed, double b, std::uint8_t bFailed)
{
    if (aFailed != 0 || bFailed != 0) {
        return aFailed == bFailed;
    }
    return a == b || (std::isnan(a) && std::isnan(b));
}

bool AgreeAt(const CCompiledTerm& f, const CCompiledTerm& g, const std::vector<double>& xs, double k)
{
    std::vector<double> fv(xs.size());
    std::vector<double> gv(xs.size());
    std::vector<std::uint8_t> fe(xs.size());
    std::vector<std::uint8_t> ge(xs.size());
    f.EvaluateBatch(xs, k, fv, fe);
    g.EvaluateBatch(xs, k, gv, ge);
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (!SameResult(fv[i], fe[i], gv[i], ge[i])) {
            return false;
        }
    }
    return true;
}

// Which side of 0 f - g lies on at x: -1, 1, or 0 where it is 0 or not defined. Unlike
// DefinedValue, an infinite difference still tells its side. A failing part of a term reads as 1,
// so f - g has values where f or g has none: callers check f and g themselves.
int SideAt(const CCompiledTerm& difference, double x, double k)
{
    const int saved = g_mathError;
    g_mathError = 0;
    const double value = difference.Evaluate(x, k);
    const bool failed = g_mathError != 0;
    g_mathError = saved;
    if (failed || std::isnan(value) || value == 0) {
        return 0;
    }
    return value > 0 ? 1 : -1;
}

} // namespace

CGraphFunction DifferenceFunction(const CGraphFunction& f, const CGraphFunction& g)
{
    CGraphFunction difference = f;
    difference.SetTerm("(" + f.GetTerm() + ")-(" + g.GetTerm() + ")");
    if (f.GetUseFamilyConstant() == 0 && g.GetUseFamilyConstant() != 0) {
        double from{};
        double to{};
        double step{};
        g.GetRange(from, to, step);
        difference.SetUseFamilyConstant(g.GetUseFamilyConstant());
        difference.SetRange(from, to, step);
    }
    return difference;
}

bool AgreeAtEveryScanPoint(const CGraphFunction& f, const CGraphFunction& g, double k, double from, double to,
                           double step)
{
    const CCompiledTerm fTerm{f.GetTerm()};
    const CCompiledTerm gTerm{g.GetTerm()};
    std::vector<double> xs;
    for (int i = 0; i < kCoarsePoints; ++i) {
        xs.push_back(from + (to - from) * i / (kCoarsePoints - 1));
    }
    if (!AgreeAt(fTerm, gTerm, xs, k)) {
        return false;
    }
    xs.clear();
    bool agree = true;
    ForEachStep(from, to, step, [&](double x) {
        xs.push_back(x);
        if (xs.size() == kCompareBlock) {
            agree = AgreeAt(fTerm, gTerm, xs, k);
            xs.clear();
        }
        return agree;
    });
    return agree && AgreeAt(fTerm, gTerm, xs, k);
}

void ComputeIntersections(const CGraphFunction& f, const CGraphFunction& g, bool sameFunction,
                          const CScaling& scaling, int precision, const SDiscussOptions& options,
                          IAnalysisSink& sink)
{
    const CGraphFunction difference = DifferenceFunction(f, g);
    const bool family = difference.GetUseFamilyConstant() != 0;
    const CCompiledTerm differenceTerm{difference.GetTerm()};
    const CCompiledTerm fTerm{f.GetTerm()};
    const CCompiledTerm gTerm{g.GetTerm()};
    double xFrom{};
    double xTo{};
    double xStep{};
    scaling.GetXRange(xFrom, xTo, xStep);
    const double step = ScanStep(precision);
    // Beyond a refined crossing f - g keeps its sign at least this far, while a touching point has
    // the same sign on both sides.
    const double side = 4 * step;
    const auto add = [&](auto value, std::optional<double> k) {
        sink.Add(SAnalysisResult{std::move(value), family ? k : std::nullopt, options.digits});
    };

    // Terms that agree are told before the scan, which would otherwise take the whole axis for one
    // long touching point; where they agree for every k there is nothing left to scan.
    // The default discussion compares on its grid, so that a range of any width is compared in
    // bounded time; the raster compares at every one of its points.
    const double compareStep =
        options.exact ? std::max(step, (xTo / 2 - xFrom / 2) / static_cast<double>(1 << 19)) : step;
    std::vector<bool> equalAt;
    ForEachFamilyValue(difference, [&](double k) {
        equalAt.push_back(sameFunction || AgreeAtEveryScanPoint(f, g, k, xFrom, xTo, compareStep));
    });
    std::int64_t total = 0;
    std::int64_t inGroup = 0;
    std::size_t group = 0;
    int index = 0;
    bool equal = false;
    SZeroVisitor visitor;
    visitor.groupStart = [&](double k) {
        inGroup = 0;
        index = 0;
        equal = group < equalAt.size() && equalAt[group];
        ++group;
        if (equal) {
            add(SResultMessage{EResultMessage::EqualFunctions, {}}, k);
            ++total;
        }
    };
    visitor.found = [&](double k, double x) {
        if (equal || !fTerm.DefinedValue(x, k) || !gTerm.DefinedValue(x, k)) {
            return;
        }
        const int left = SideAt(differenceTerm, x - side, k);
        const int right = SideAt(differenceTerm, x + side, k);
        const bool touching = left != 0 && left == right;
        // The point lies on both graphs; f's value names it.
        const double y = fTerm.Evaluate(x, k);
        add(SResultPoint{'S', ++index, WithoutNegativeZero(x, options.digits), WithoutNegativeZero(y, options.digits),
                         touching},
            k);
        ++inGroup;
        ++total;
    };
    visitor.groupEnd = [&](double) {
        if (family && (inGroup > 0 || equal)) {
            add(SResultMessage{EResultMessage::GroupEnd, {}}, std::nullopt);
        }
    };
    // The scan raises no flag it does not clear; the evaluations of f here do.
    const int savedMath = g_mathError;
    if (std::find(equalAt.begin(), equalAt.end(), false) == equalAt.end()) {
        ForEachFamilyValue(difference, [&](double k) {
            visitor.groupStart(k);
            visitor.groupEnd(k);
        });
    } else {
        ScanExactZeros(difference, scaling, precision, sink, visitor);
    }
    g_mathError = savedMath;
    if (total == 0) {
        add(SResultMessage{EResultMessage::NoIntersections, {}}, std::nullopt);
    }
}
