#include "framework/KeptPoles.h"
#include "framework/CurveSamplers.h"
#include "framework/PainterContext.h"

#include "analysis/Domain.h"
#include "engine/CompiledTerm.h"
#include "view/GraphPaint.h"

#include <QImage>
#include <QPainter>

#include <gtest/gtest.h>

#include <thread>

namespace {

std::vector<double> ServicePoles(const CCompiledTerm& f, double k, double a, double b)
{
    std::vector<double> poles;
    for (const SDomainBorder& border : DomainOf(f, k, a, b).borders) {
        if (border.kind == EBorderKind::Pole) {
            poles.push_back(border.x);
        }
    }
    return poles;
}

// Terms whose poles stay put, move with k, or vanish at some k; ranges that change under them.
const char* const kTerms[] = {"1/(x-2)",  "k/(x-1)+x", "1/(x-k)",      "1/(x^2-k)",
                              "tan(x)+k", "x^2+k",     "1/(exp(x)-k)", "ln(abs(x-1))/k"};
const double kKs[] = {-2, -0.5, 0, 1, 1.5, 3};
const std::pair<double, double> kRanges[] = {{-10, 10}, {-2, 4}, {-2, 0.5}, {0.5, 3}};

// Small enough that ranges and values are dropped and found again while the cases run; the second
// pass meets the ks in the other order, so another k fills the family's scan. Threads ask together.
TEST(KeptPoles, AreWhatTheDomainServiceFinds)
{
    CKeptPoles kept{2, 3};
    const auto askAll = [&](int pass) {
        for (const char* term : kTerms) {
            const CCompiledTerm f{term};
            for (const auto& [a, b] : kRanges) {
                for (std::size_t i = 0; i < std::size(kKs); ++i) {
                    const double k = pass % 2 == 0 ? kKs[i] : kKs[std::size(kKs) - 1 - i];
                    const std::vector<double> expected = ServicePoles(f, k, a, b);
                    for (int twice = 0; twice < 2; ++twice) {
                        EXPECT_EQ(kept.Poles(f, k, a, b), expected)
                            << term << " k=" << k << " on " << a << ".." << b;
                    }
                }
            }
        }
    };
    askAll(0);
    askAll(1);
    std::thread other{askAll, 1};
    askAll(0);
    other.join();
}

QImage Picture(const CFunctionList& functions, const std::optional<SFamilyFocus>& focus,
               const SCurveSamplers& samplers)
{
    CScaling scaling;
    scaling.SetXRange(-2, 4, 1);
    scaling.SetAutoScaleY(1);
    QImage image{960, 540, QImage::Format_RGB32};
    image.fill(Qt::white);
    QPainter painter{&image};
    CPainterContext dc{painter};
    PaintGraph(dc, CRect{0, 0, 960, 540}, functions, {}, scaling, nullptr, nullptr, EDecimalSeparator::Point,
               focus, CDerivedList{NewDerivedCurve(functions, 0, EDerivedKind::FirstDerivative)}, samplers);
    return image;
}

// Kept poles must not move a pixel: the same graphs (each with the first function's f') drawn with
// the domain service asked afresh, once while filling what is kept and once drawing from it.
TEST(KeptPoles, PicturesEqualThoseWithThePolesFoundAfresh)
{
    const std::pair<std::vector<const char*>, std::optional<SFamilyFocus>> cases[] = {
        {{"x^2-2*k*x+k", "1/(x-2)"}, std::nullopt},
        {{"k/(x-1)+x"}, SFamilyFocus{0, 0.37, false}},
        {{"1/(x-k)"}, SFamilyFocus{0, 1.25, true}},
    };
    for (const auto& [terms, focus] : cases) {
        SCOPED_TRACE(terms.front());
        CFunctionList functions;
        for (const char* term : terms) {
            CGraphFunction& f = functions.emplace_back();
            f.SetTerm(term);
            f.SetUseFamilyConstant(1);
            f.SetRange(-2, 2, 0.5);
        }
        const QImage expected = Picture(functions, focus, SCurveSamplers{nullptr, nullptr, ServicePoles});
        // Otherwise the case would not show what poles do to the picture.
        ASSERT_FALSE(Picture(functions, focus, SCurveSamplers{}) == expected);
        EXPECT_TRUE(Picture(functions, focus, WindowCurveSamplers()) == expected);
        EXPECT_TRUE(Picture(functions, focus, WindowCurveSamplers()) == expected);
    }
}

} // namespace
