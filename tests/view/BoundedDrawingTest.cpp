// What a graph file can hold but no drawing or discussion can run over as it stands: too many
// curves, and ranges that are infinite or not a number. Every output stays bounded, and the
// drawing, the printing and the analyses agree on the range they use.
#include "DrawTestSupport.h"

#include "analysis/AnalysisSink.h"
#include "analysis/AnalysisTable.h"
#include "analysis/CurveAnalysis.h"
#include "analysis/FamilyCutNote.h"
#include "view/DrawLimits.h"
#include "view/GraphPaint.h"
#include "view/PrintRect.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class CLineSink final : public IAnalysisSink
{
public:
    void AddLine(std::string line) override { lines.push_back(std::move(line)); }
    std::vector<std::string> lines;
};

std::vector<std::string> Discuss(EAnalysis kind, const CGraphFunction& f, const CScaling& s)
{
    CLineSink sink;
    // The coarsest scan: these tests compare results, they do not measure them.
    RunAnalysis(kind, f, s, 1, sink);
    return sink.lines;
}

std::size_t LegendLines(const CRecordingContext& dc)
{
    return static_cast<std::size_t>(std::count_if(dc.texts.begin(), dc.texts.end(), [](const auto& t) {
        return t.text.find("(x)=") != std::string::npos;
    }));
}

TEST(CurveBudget, TakesWholeFunctionsWhileTheyFit)
{
    const CGraphFunction single = Function("x", 0);
    const CGraphFunction thousand = Family("x+k", 0, 1, 1000, 1);
    const CGraphFunction huge = Family("x+k", 0, 0, 1e9, 1); // counts as its first 1000 values
    const CGraphFunction empty{};                            // drawn as nothing, costs nothing
    const struct
    {
        const char* name;
        CFunctionList functions;
        std::size_t drawn;
    } cases[] = {
        {"Few", {single, thousand, single}, 3},
        {"ExactlyTheBudget", CFunctionList(5, thousand), 5},
        {"OneCurveTooMany", {thousand, thousand, thousand, thousand, thousand, single}, 5},
        {"HugeFamilies", CFunctionList(1000, huge), 5},
        {"ThousandsOfSingleCurves", CFunctionList(6000, single), 5000},
        {"EmptyTermsAreFree", CFunctionList(6000, empty), 6000},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FunctionsWithinCurveBudget(c.functions), c.drawn) << c.name;
    }
}

TEST(CurveBudget, PaintingDrawsWhatFitsAndSaysSo)
{
    CScaling scaling = FixedScaling();
    const CFunctionList functions(8, Family("x+k", 0, 1, 1000, 1));
    CRecordingContext dc;
    bool leftOut = false;
    PaintGraph(dc, CRect{0, 0, 200, 150}, functions, {}, scaling, &leftOut);
    EXPECT_TRUE(leftOut);
    EXPECT_EQ(LegendLines(dc), 5u);

    CRecordingContext few;
    PaintGraph(few, CRect{0, 0, 200, 150}, CFunctionList(3, Function("x", 0)), {}, scaling, &leftOut);
    EXPECT_FALSE(leftOut);
    EXPECT_EQ(LegendLines(few), 3u);
}

// Objects have a budget like the curves: a file may hold over a million of them, and each one
// drawn costs time on screen and memory in an SVG.
TEST(ObjectBudget, DrawsTheFirstObjectsAndSaysWhenSomeAreLeftOut)
{
    CGraphObject point;
    point.SetCoordinates(1, 1);
    point.SetLabel("P");
    const struct
    {
        const char* name;
        std::size_t count;
        std::size_t drawn;
    } cases[] = {{"Few", 10, 10},
                 {"ExactlyTheBudget", kMaxObjectsPerDrawing, kMaxObjectsPerDrawing},
                 {"OneMore", kMaxObjectsPerDrawing + 1, kMaxObjectsPerDrawing},
                 {"Many", 4 * kMaxObjectsPerDrawing, kMaxObjectsPerDrawing}};
    for (const auto& c : cases) {
        CRecordingContext dc;
        bool leftOut = true;
        PaintGraph(dc, CRect{0, 0, 200, 150}, {}, CObjectList(c.count, point), FixedScaling(), nullptr,
                   &leftOut);
        const auto labels = static_cast<std::size_t>(
            std::count_if(dc.texts.begin(), dc.texts.end(), [](const auto& t) { return t.text == "P"; }));
        EXPECT_EQ(labels, c.drawn) << c.name;
        EXPECT_EQ(leftOut, c.drawn < c.count) << c.name;
        EXPECT_EQ(ObjectsWithinObjectBudget(CObjectList(c.count, point)), c.drawn) << c.name;
    }
}

TEST(ObjectBudget, AVeryLongLabelIsDrawnOnlyAsFarAsAnyPageReaches)
{
    CGraphObject point;
    point.SetCoordinates(1, 1);
    point.SetLabel(std::string(5'000'000, 'L'));
    CRecordingContext dc;
    PaintGraph(dc, CRect{0, 0, 200, 150}, {}, {point}, FixedScaling());
    const auto label =
        std::find_if(dc.texts.begin(), dc.texts.end(), [](const auto& t) { return t.text[0] == 'L'; });
    ASSERT_NE(label, dc.texts.end());
    EXPECT_EQ(label->text.size(), kMaxLabelCharactersDrawn);
}

TEST(FamilyCap, AnalysesStopWhereTheDrawingStops)
{
    const CGraphFunction f = Family("x-k", 0, 0, 1e9, 1);
    // Three rows and an empty line per value of k, after the header and its empty line.
    EXPECT_EQ(Discuss(EAnalysis::ValueTable, f, FixedScaling(0, 2, 1)).size(), 2 + 4u * kMaxFamilyValues);
    EXPECT_EQ(FamilyCutNote(f), "Nur die ersten 1000 Werte von k wurden untersucht, bis k = 999.");
    EXPECT_EQ(FamilyCutNote(Family("x-k", 0, 1, 1000, 1)), std::nullopt);
}

TEST(FamilyCap, AScanEndsWhenItsSinkStops)
{
    class CStoppingSink final : public IAnalysisSink
    {
    public:
        void AddLine(std::string) override { ++lines; }
        bool Stopped() const override { return lines >= 5; }
        int lines{0};
    };
    for (EAnalysis kind : {EAnalysis::ValueTable, EAnalysis::Zeros, EAnalysis::Monotony}) {
        CStoppingSink sink;
        // x^2 at the finest precision reports about 1300 zeros; ln(x) a monotony line per point left of 0.
        const CGraphFunction f = Function(kind == EAnalysis::Monotony ? "ln(x)" : "x^2", 0);
        RunAnalysis(kind, f, FixedScaling(-0.01, 5, 1e-5), 10, sink);
        EXPECT_EQ(sink.lines, 5) << static_cast<int>(kind);
    }
}

// A file's scaling with one unusable value is read as the scaling of a new graph: everything that
// uses the x axis sees -5 to 5 in steps of 1.
TEST(UnusableRange, DrawingPrintingAndAnalysesAgree)
{
    const struct
    {
        const char* name;
        double from, to, step;
    } axes[] = {
        {"NaNFrom", kNaN, 5, 1},
        {"NaNTo", -5, kNaN, 1},
        {"InfiniteEnds", -kInf, kInf, 1},
        {"DistanceOverflows", -1.5e308, 1.5e308, 1},
    };
    const CScaling usable = FixedScaling();
    const CGraphFunction f = Function("x^3-x", 0x0000ff);
    std::vector<std::vector<std::string>> expectedLines;
    for (int kind = 0; kind <= 4; ++kind) {
        expectedLines.push_back(Discuss(static_cast<EAnalysis>(kind), f, usable));
    }
    bool allAnalyses = true;
    for (const auto& a : axes) {
        CScaling scaling = FixedScaling();
        scaling.SetXRange(a.from, a.to, a.step);
        scaling.SetYRange(a.from, a.to, a.step);

        const Drawn drawn = DrawGraph(scaling, {f});
        const Drawn expected = DrawGraph(usable, {f});
        EXPECT_EQ(drawn.dc.lines.size(), expected.dc.lines.size()) << a.name;
        EXPECT_EQ(drawn.dc.texts.size(), expected.dc.texts.size()) << a.name;

        const CRect page = PrintRectangle(scaling, 200, 280, 4800, 6720);
        EXPECT_EQ(page.right, 2920) << a.name;
        EXPECT_EQ(page.bottom, 2920) << a.name;

        // The scans of analyses 1 to 4 take a while each; all five run for the first case.
        for (int kind = 0; kind <= (allAnalyses ? 4 : 0); ++kind) {
            EXPECT_EQ(Discuss(static_cast<EAnalysis>(kind), f, scaling),
                      expectedLines[static_cast<std::size_t>(kind)])
                << a.name << " " << kind;
        }
        allAnalyses = false;
    }
}

// A family nothing can run over is that of a new function: k = 0 once, whatever the flag says.
TEST(UnusableRange, FamilyDrawsAndDiscussesOnceAtZero)
{
    for (double bad : {kNaN, kInf, -kInf}) {
        const CGraphFunction f = Family("x-k", 0x0000ff, bad, 5, 1);
        const CGraphFunction atZero = Function("x-k", 0x0000ff);
        EXPECT_EQ(CountFamilyValues(f), 1) << bad;
        const Drawn drawn = DrawGraph(FixedScaling(), {f});
        const Drawn expected = DrawGraph(FixedScaling(), {Family("x-k", 0x0000ff, 0, 0, 0)});
        EXPECT_EQ(drawn.dc.lines.size(), expected.dc.lines.size()) << bad;
        const std::vector<std::string> zeros = Discuss(EAnalysis::Zeros, f, FixedScaling());
        ASSERT_EQ(zeros.size(), 2u) << bad; // one zero at x = 0 for k = 0, then the group's empty line
        EXPECT_EQ(zeros[0].rfind("k = 0; N ( ", 0), 0u) << zeros[0];
        EXPECT_EQ(Discuss(EAnalysis::Zeros, atZero, FixedScaling()).size(), 1u);
    }
}

} // namespace
