// Derived curves hold their source by index: names follow it, and a removed function takes them.
#include "document/DerivedCurve.h"
#include "document/ZelDoc.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::size_t> Sources(const CDerivedList& derived)
{
    std::vector<std::size_t> sources;
    for (const CDerivedCurve& curve : derived) {
        sources.push_back(curve.GetSource());
    }
    return sources;
}

CDerivedList Curves(std::initializer_list<std::size_t> sources)
{
    CDerivedList derived;
    for (std::size_t source : sources) {
        derived.emplace_back(source, EDerivedKind::FirstDerivative);
    }
    return derived;
}

TEST(DerivedCurve, RemovingAFunctionTakesItsCurvesAndMovesLaterOnesUp)
{
    const struct
    {
        CDerivedList before;
        std::size_t removed;
        std::vector<std::size_t> after;
        bool changed;
    } cases[] = {
        {Curves({0, 1, 2, 1}), 1, {0, 1}, true},
        {Curves({2, 0}), 0, {1}, true},
        {Curves({0, 1}), 5, {0, 1}, false},
        {Curves({}), 0, {}, false},
    };
    for (auto c : cases) {
        EXPECT_EQ(EraseDerivedOfFunction(c.before, c.removed), c.changed);
        EXPECT_EQ(Sources(c.before), c.after);
    }
}

TEST(DerivedCurve, NamesAreMadeFromTheSourcesName)
{
    CFunctionList functions(3);
    functions[1].SetName("umsatz");
    functions[2].SetName("K2");
    functions[0].SetUseFamilyConstant(1);
    const struct
    {
        std::size_t source;
        EDerivedKind kind;
        const char* head;
    } cases[] = {
        {0, EDerivedKind::FirstDerivative, "f'_k"},      {0, EDerivedKind::SecondDerivative, "f''_k"},
        {0, EDerivedKind::Antiderivative, "F_k"},        {1, EDerivedKind::Antiderivative, "Umsatz"},
        {1, EDerivedKind::SecondDerivative, "umsatz''"}, {2, EDerivedKind::Antiderivative, "Stf_K2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DerivedCurveHead(functions, CDerivedCurve{c.source, c.kind}), c.head);
    }
}

TEST(ZelDoc, AShorterFunctionListDropsOrphanedCurvesInTheSameStep)
{
    CZelDoc doc;
    doc.SetFunctions(CFunctionList(3));
    doc.SetDerived(Curves({0, 2, 1}));
    doc.TakeStep();
    doc.SetFunctions(CFunctionList(2));
    SContentStep step = doc.TakeStep();
    EXPECT_EQ(Sources(doc.Derived()), (std::vector<std::size_t>{0, 1}));
    ASSERT_TRUE(step.functions && step.derived);
    doc.ExchangeStep(step); // undo brings both back
    EXPECT_EQ(doc.GetFunctionCount(), 3u);
    EXPECT_EQ(Sources(doc.Derived()), (std::vector<std::size_t>{0, 2, 1}));
    doc.ExchangeStep(step); // and redo takes both again
    EXPECT_EQ(Sources(doc.Derived()), (std::vector<std::size_t>{0, 1}));
}

} // namespace
