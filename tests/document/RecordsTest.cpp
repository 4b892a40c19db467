#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/Scaling.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

struct Range
{
    double from, to, step;
};

TEST(GraphFunction, NewRecord)
{
    const CGraphFunction f;
    double from{1}, to{1}, step{1};
    f.GetRange(from, to, step);
    EXPECT_EQ(f.GetTerm(), "");
    EXPECT_EQ(f.GetComment(), "");
    EXPECT_EQ(f.GetColor(), 0u);
    EXPECT_EQ(f.GetUseFamilyConstant(), 0);
    EXPECT_EQ(from, 0.0);
    EXPECT_EQ(to, 0.0);
    EXPECT_EQ(step, 0.0);
}

TEST(GraphFunction, SetTermLowerCasesAndReplacesTheEmptyTerm)
{
    const struct
    {
        const char* typed;
        const char* stored;
    } cases[] = {
        {"", "x"},        {"X^2", "x^2"},     {"  ", "  "}, {"SIN(X)*K", "sin(x)*k"},
        {" Pi ", " pi "}, {"\xC4X", "\xC4x"}, // bytes above 127 are no letters and stay as they are
    };
    for (const auto& c : cases) {
        CGraphFunction f;
        f.SetTerm(c.typed);
        EXPECT_EQ(f.GetTerm(), c.stored) << c.typed;
    }
}

TEST(GraphFunction, SetRangeNormalises)
{
    const struct
    {
        Range given, stored;
    } cases[] = {
        {{5, -5, 1}, {-5, 5, 1}},
        {{0, 1, 1}, {0, 1, 0.25}},
        {{0, 1, 2}, {0, 1, 0.25}},
        {{0, 1, 0.3}, {0, 1, 0.3}},
        {{3, 3, 1}, {3, 3, 0}},
        {{3, 3, 0}, {3, 3, 0}},
        {{0, 4, -1}, {0, 4, -1}},
        {{0, 4, 0}, {0, 4, 0}},
        // A family nothing can run over is that of a new record; an unusable step a quarter.
        {{kNaN, 4, 1}, {0, 0, 0}},
        {{0, kInf, 1}, {0, 0, 0}},
        {{-1e308, 1e308, 1}, {0, 0, 0}},
        {{0, 4, kNaN}, {0, 4, 1}},
        {{0, 4, -kInf}, {0, 4, 1}},
    };
    for (const auto& c : cases) {
        CGraphFunction f;
        f.SetRange(c.given.from, c.given.to, c.given.step);
        Range r{};
        f.GetRange(r.from, r.to, r.step);
        EXPECT_EQ(r.from, c.stored.from);
        EXPECT_EQ(r.to, c.stored.to);
        EXPECT_EQ(r.step, c.stored.step) << c.given.from << " " << c.given.to << " " << c.given.step;
    }
}

TEST(GraphObject, NewRecordIsABlackPointAtTheOrigin)
{
    const CGraphObject o;
    double x{1}, y{1};
    o.GetCoordinates(x, y);
    EXPECT_EQ(o.GetKind(), 0);
    EXPECT_TRUE(o.IsPoint());
    EXPECT_EQ(x, 0.0);
    EXPECT_EQ(y, 0.0);
    EXPECT_EQ(o.GetLabel(), "");
    EXPECT_EQ(o.GetComment(), "");
    EXPECT_EQ(o.GetTextPosition(), 0);
    EXPECT_EQ(o.GetPosition(), 0.0);
    EXPECT_EQ(o.GetColor(), 0u);
}

TEST(GraphObject, KindChangesKeepThePointsFields)
{
    CGraphObject o;
    o.SetCoordinates(1.5, -2);
    o.SetLabel("P");
    o.SetTextPosition(6);
    o.SetKind(1);
    EXPECT_FALSE(o.IsPoint());
    o.SetKind(2);
    EXPECT_FALSE(o.IsPoint()); // every kind but 0 is a vertical line
    o.SetKind(0);
    double x{}, y{};
    o.GetCoordinates(x, y);
    EXPECT_EQ(x, 1.5);
    EXPECT_EQ(y, -2.0);
    EXPECT_EQ(o.GetLabel(), "P");
    EXPECT_EQ(o.GetTextPosition(), 6);
}

TEST(Scaling, NewRecord)
{
    const CScaling s;
    Range x{}, y{};
    double px{}, py{};
    s.GetXRange(x.from, x.to, x.step);
    s.GetYRange(y.from, y.to, y.step);
    s.GetPrintSize(px, py);
    EXPECT_EQ(x.from, -5.0);
    EXPECT_EQ(x.to, 5.0);
    EXPECT_EQ(x.step, 1.0);
    EXPECT_EQ(y.from, -5.0);
    EXPECT_EQ(y.to, 5.0);
    EXPECT_EQ(y.step, 1.0);
    EXPECT_EQ(s.GetAutoScaleY(), 1);
    EXPECT_EQ(s.GetGridType(), 1);
    EXPECT_EQ(s.GetShowTerms(), 1);
    EXPECT_EQ(s.GetLabelAxes(), 1);
    EXPECT_EQ(px, 1.0);
    EXPECT_EQ(py, 1.0);
}

TEST(Scaling, RangesNormaliseOnBothAxes)
{
    const struct
    {
        Range given, stored;
    } cases[] = {
        {{5, -5, 1}, {-5, 5, 1}},
        {{0, 1, 1}, {0, 1, 0.25}},
        {{0, 1, 0.5}, {0, 1, 0.5}},
        {{2, 2, 1}, {2, 2, 0}},
        {{0, 10, -2}, {0, 10, -2}},
        // An axis nothing can be drawn or scanned on is that of a new graph.
        {{kNaN, 5, 1}, {-5, 5, 1}},
        {{-kInf, 5, 1}, {-5, 5, 1}},
        {{kNaN, kNaN, kNaN}, {-5, 5, 1}},
        {{-1e308, 1e308, 1}, {-5, 5, 1}},
        {{0, 10, -kInf}, {0, 10, 2.5}},
        {{0, 10, kNaN}, {0, 10, 2.5}},
    };
    for (const auto& c : cases) {
        CScaling s;
        s.SetXRange(c.given.from, c.given.to, c.given.step);
        s.SetYRange(c.given.to, c.given.from, c.given.step);
        Range x{}, y{};
        s.GetXRange(x.from, x.to, x.step);
        s.GetYRange(y.from, y.to, y.step);
        for (const Range& r : {x, y}) {
            EXPECT_EQ(r.from, c.stored.from);
            EXPECT_EQ(r.to, c.stored.to);
            EXPECT_EQ(r.step, c.stored.step);
        }
    }
}

TEST(Scaling, NegativePrintSizesBecomeOneCentimetre)
{
    CScaling s;
    double x{}, y{};
    s.SetPrintSize(-1, 0);
    s.GetPrintSize(x, y);
    EXPECT_EQ(x, 1.0);
    EXPECT_EQ(y, 0.0);
    s.SetPrintSize(2.5, -0.1);
    s.GetPrintSize(x, y);
    EXPECT_EQ(x, 2.5);
    EXPECT_EQ(y, 1.0);
}

TEST(Scaling, InequalityLooksAtEveryField)
{
    const CScaling base;
    EXPECT_FALSE(base != CScaling(base));

    using Change = void (*)(CScaling&);
    const Change changes[] = {
        [](CScaling& s) { s.SetXRange(-5, 6, 1); }, [](CScaling& s) { s.SetXRange(-4, 5, 1); },
        [](CScaling& s) { s.SetXRange(-5, 5, 2); }, [](CScaling& s) { s.SetYRange(-5, 6, 1); },
        [](CScaling& s) { s.SetYRange(-4, 5, 1); }, [](CScaling& s) { s.SetYRange(-5, 5, 0.5); },
        [](CScaling& s) { s.SetAutoScaleY(0); },    [](CScaling& s) { s.SetGridType(2); },
        [](CScaling& s) { s.SetShowTerms(0); },     [](CScaling& s) { s.SetLabelAxes(0); },
        [](CScaling& s) { s.SetPrintSize(2, 1); },  [](CScaling& s) { s.SetPrintSize(1, 2); },
    };
    for (const Change change : changes) {
        CScaling changed = base;
        change(changed);
        EXPECT_TRUE(changed != base);
        EXPECT_FALSE(changed == base);
    }
}

} // namespace

TEST(GraphFunction, NextFreeNameIsNoneTheListShows) // "" for an automatic name
{
    const std::pair<std::vector<const char*>, const char*> cases[] = {
        {{}, "f"}, {{"", ""}, "h"}, {{"h", ""}, "f"}, {{"", "f"}, "g"}, {std::vector<const char*>(10, ""), "f1"}};
    for (const auto& [given, next] : cases) {
        CFunctionList functions(given.size());
        for (std::size_t i = 0; i < given.size(); ++i) {
            functions[i].SetName(given[i]);
        }
        EXPECT_EQ(NextFreeFunctionName(functions), next) << given.size();
    }
}
