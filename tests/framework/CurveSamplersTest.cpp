#include "framework/CurveSamplers.h"

#include "view/Graph.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

CGraphFunction Family(const char* term, double from, double to, double step)
{
    CGraphFunction f;
    f.SetTerm(term);
    f.SetUseFamilyConstant(1);
    f.SetRange(from, to, step);
    return f;
}

// The drawn Ortskurve against closed forms: every corner of every branch lies on the curve the
// teacher derives by hand, and the branches reach across the family's range.
TEST(CurveSamplers, OrtskurveCornersLieOnTheClosedForm)
{
    struct SCase
    {
        const char* term;
        double from, to, step;
        bool inflections;
        std::size_t branches;
        std::function<double(double)> closedForm;
    };
    const SCase cases[] = {
        {"x^2-2*k*x+k", 0, 2, 1, false, 1, [](double x) { return x - x * x; }},
        {"x^3-k*x", 1, 4, 1, false, 2, [](double x) { return -2 * x * x * x; }},
        {"k*x^2+x", 1, 3, 1, false, 1, [](double x) { return x / 2; }},
        {"x^4-6*k*x^2", 1, 4, 1.5, true, 2, [](double x) { return -5 * x * x * x * x; }},
    };
    CScaling scaling;
    scaling.SetXRange(-5, 5, 1);
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.term);
        const std::shared_ptr<const LocusBranches> branches =
            CurveSamplers().locus(Family(c.term, c.from, c.to, c.step), c.inflections, scaling);
        ASSERT_EQ(branches->size(), c.branches);
        for (const std::vector<SWorldPoint>& branch : *branches) {
            EXPECT_GT(branch.size(), 300u);
            for (const SWorldPoint& p : branch) {
                EXPECT_NEAR(p.y, c.closedForm(p.x), 1e-9 * (1 + std::abs(p.y))) << "x = " << p.x;
            }
        }
        // Asked again, the kept curve comes back without a new computation.
        EXPECT_EQ(CurveSamplers().locus(Family(c.term, c.from, c.to, c.step), c.inflections, scaling), branches);
    }
}

// A pole beside a parabola: the samples next to it must not stretch the y range until the parabola
// lies flat on the axis, and a curve derived from a function counts like the function.
TEST(CurveSamplers, AutomaticScalingLooksPastPolesAndCountsDerivedCurves)
{
    struct SCase
    {
        const char* name;
        std::vector<const char*> terms;
        CDerivedList derived;
        double lowest, highest; // the range must reach both
        double widest;          // and be no wider
    };
    const SCase cases[] = {
        {"pole and parabola", {"1/(x-2)", "x^2"}, {}, 0, 100, 250},
        {"pole left of the samples", {"1/(x-2.0000001)", "x^2"}, {}, 0, 100, 250},
        {"square pole", {"1/(x+3)^2", "x^2"}, {}, 0.01, 100, 250},
        {"derivative beyond its source", {"sin(5*x)/5"}, {CDerivedCurve{0, EDerivedKind::SecondDerivative}}, -4, 4, 20},
        {"f' of a pole", {"x^2", "ln(abs(x-1))"}, {CDerivedCurve{1, EDerivedKind::FirstDerivative}}, 0, 100, 250},
    };
    for (const SCase& c : cases) {
        SCOPED_TRACE(c.name);
        CGraph graph;
        for (const char* term : c.terms) {
            CGraphFunction f;
            f.SetTerm(term);
            graph.Functions().push_back(f);
        }
        graph.Derived() = c.derived;
        graph.SetSamplers(CurveSamplers());
        graph.Scaling().SetXRange(-10, 10, 1);
        graph.AutoScaleY(10);
        double from{}, to{}, step{};
        graph.Scaling().GetYRange(from, to, step);
        EXPECT_LE(from, c.lowest);
        EXPECT_GE(to, c.highest);
        EXPECT_LE(to - from, c.widest);
    }
}

} // namespace
