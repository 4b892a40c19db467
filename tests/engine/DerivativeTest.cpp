#include "engine/ErrorFlags.h"
#include "oracle/TermInterpreter.h"

#include <gtest/gtest.h>

namespace {

TEST(Evaluate, OrderZeroIsTheValue)
{
    CTermInterpreter graph;
    EXPECT_DOUBLE_EQ(graph.Evaluate("x^2+k", 3, 2, 0), 11.0);
    EXPECT_EQ(graph.GetX(), 3.0);
    EXPECT_EQ(graph.GetK(), 2.0);
}

TEST(Evaluate, DerivativesOfXSquared)
{
    CTermInterpreter graph;
    EXPECT_NEAR(graph.Evaluate("x^2", 3, 0, 1), 6.0, 1e-9);
    EXPECT_NEAR(graph.Evaluate("x^2", 3, 0, 2), 2.0, 1e-6);
    EXPECT_NEAR(graph.Evaluate("x^2", 3, 0, 3), 0.0, 1e-3);
    EXPECT_EQ(graph.Evaluate("x^2", 3, 0, 7), graph.Evaluate("x^2", 3, 0, 3));
    EXPECT_EQ(graph.Evaluate("x^2", 3, 0, -1), graph.Evaluate("x^2", 3, 0, 3));
}

// The formulas reproduced step by step with the listed constants; the engine must agree to the bit.
double Cube(double x) { return x * x * x; }

TEST(Evaluate, DifferenceFormulasMatchTheirDefinitionBitForBit)
{
    const double x = 1.3;
    CTermInterpreter graph;

    double t = 8 * (Cube(x + 0.001) - Cube(x - 0.001));
    t = t - Cube(x + 0.002);
    t = t + Cube(x - 0.002);
    EXPECT_EQ(graph.Evaluate("x*x*x", x, 0, 1), t / 0.012);

    t = 16 * (Cube(x - 0.005) + Cube(x + 0.005));
    t = t - 30 * Cube(x);
    t = t - Cube(x - 0.01);
    t = t - Cube(x + 0.01);
    EXPECT_EQ(graph.Evaluate("x*x*x", x, 0, 2), t / 0.0003);

    t = 2 * (Cube(x - 0.01) - Cube(x + 0.01));
    t = t - Cube(x - 0.02);
    t = t + Cube(x + 0.02);
    EXPECT_EQ(graph.Evaluate("x*x*x", x, 0, 3), t / 2.0000000000000003e-06);
    EXPECT_NEAR(t / 2.0000000000000003e-06, 6.0, 1e-3);
}

TEST(Evaluate, LeavesTheLastAbscissaInTheContext)
{
    CTermInterpreter graph;
    graph.Evaluate("x", 1, 0, 1);
    EXPECT_EQ(graph.GetX(), 1 - 0.002);
    graph.Evaluate("x", 1, 0, 2);
    EXPECT_EQ(graph.GetX(), 1 + 0.01);
    graph.Evaluate("x", 1, 0, 3);
    EXPECT_EQ(graph.GetX(), 1 + 0.02);
}

TEST(Evaluate, ThirdOrderDivisorIsTwoHCubedAsComputed)
{
    EXPECT_EQ(2 * (0.01 * 0.01 * 0.01), 2.0000000000000003e-06);
}

TEST(Evaluate, NeitherClearsNorReadsTheFlags)
{
    CTermInterpreter graph;
    g_syntaxError = 1;
    g_mathError = 1;
    graph.Evaluate("x", 1, 0, 0);
    EXPECT_EQ(g_syntaxError, 1);
    EXPECT_EQ(g_mathError, 1);
}

} // namespace
