// F with F' = f and F(x0) = y0, stopping at the poles and edges of f.
#include "analysis/Antiderivative.h"
#include "engine/CompiledTerm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <vector>

namespace {

TEST(Antiderivative, AgreesWithTheClosedFormOnTheStretchOfX0AndNowhereElse)
{
    const double nan = std::nan("");
    const struct
    {
        const char* term;
        double x0, y0;
        double from, to;
        std::function<double(double)> F; // NaN where F must not be drawn
    } cases[] = {
        {"2*x", 0, 0, -3, 3, [](double x) { return x * x; }},
        {"2*x", 1, 5, -3, 3, [](double x) { return x * x + 4; }},
        {"1/x", 1, 0, -2, 2, [nan](double x) { return x > 0 ? std::log(x) : nan; }},
        {"1/x", -1, 0, -2, 2, [nan](double x) { return x < 0 ? std::log(-x) : nan; }},
        {"1/x", 0, 0, -2, 2, [nan](double) { return nan; }},
        {"1/(x-1)^2", 3, 0, -2, 4, [nan](double x) { return x > 1 ? 0.5 - 1 / (x - 1) : nan; }},
        // Jumps and gaps do not stop it: the integral of int(x) (toward 0) climbs in steps of slope.
        {"int(x)", 0, 0, -0.9, 3.5,
         [](double x) {
             return x < 1 ? 0 : x < 2 ? x - 1 : x < 3 ? 2 * x - 3 : 3 * x - 6;
         }},
        {"(x^2-1)/(x-1)", 0, 0, -2, 3, [](double x) { return x * x / 2 + x; }},
        // An edge ends it, and x0 far outside the drawn range is reached in one long first step.
        {"sqrt(x)", 1, 0, -1, 4,
         [nan](double x) { return x >= 0 ? (2.0 / 3) * (std::pow(x, 1.5) - 1) : nan; }},
        {"cos(x)", 0, 0, 30, 31, [](double x) { return std::sin(x); }},
    };
    for (const auto& c : cases) {
        std::vector<double> xs;
        for (double x = c.from; x <= c.to; x += 0.0625) {
            xs.push_back(x + 1.0 / 1024); // off the grid of the borders, as pixels mostly are
        }
        std::vector<double> values(xs.size());
        std::vector<std::uint8_t> undefined(xs.size());
        SampleAntiderivative(CCompiledTerm{c.term}, 0, c.x0, c.y0, xs, values, undefined);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const double expected = c.F(xs[i]);
            ASSERT_EQ(undefined[i] != 0, std::isnan(expected)) << c.term << " x0=" << c.x0 << " at " << xs[i];
            if (!undefined[i]) {
                EXPECT_NEAR(values[i], expected, 1e-8 * std::max(1.0, std::fabs(expected)))
                    << c.term << " at " << xs[i];
            }
        }
    }
}

} // namespace
