#include "engine/CompiledTerm.h"
#include "engine/DerivativeTerm.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

namespace {

// The derivative term must give, wherever f has one, the value of the exact forward-mode derivative,
// and applied twice that of the second; quirks of the term language (-x^2 is (-x)^2, x^k with k a
// value, whole powers of negative bases) must survive the rewriting.
TEST(DerivativeTerm, HasTheValuesOfTheExactDerivatives)
{
    const char* const terms[] = {
        "x^3-3*x",      "-x^2+4",        "sin(x)*x^2",  "1/(x-2)",       "sqrt(x+1)",    "exp(-x^2)",
        "x^k",          "ln(x)/x",       "abs(x-1)^3",  "2^x",           "x^x",          "(x^2+1)/(x-3)",
        "tan(x)/k",     "atan(2*x)-log(x)", "asin(x/4)+acos(x/5)", "sinh(x)*cosh(x)-tanh(x)", "x^0.5*int(x)",
        "(x-1)^(-2)",   "k*x^2+x",       "-(x)^3",
    };
    const double ks[] = {2.0, -1.5};
    for (const char* term : terms) {
        SCOPED_TRACE(term);
        const std::optional<std::string> first = DerivativeTerm(term);
        ASSERT_TRUE(first.has_value());
        const std::optional<std::string> second = DerivativeTerm(*first);
        ASSERT_TRUE(second.has_value()) << *first;
        const CCompiledTerm f{term};
        const CCompiledTerm df{*first};
        const CCompiledTerm ddf{*second};
        ASSERT_FALSE(df.HasSyntaxError()) << *first;
        ASSERT_FALSE(ddf.HasSyntaxError()) << *second;
        int compared = 0;
        for (double k : ks) {
            for (double x = -3.7; x < 3.8; x += 0.29) {
                const CCompiledTerm::SDerivatives exact = f.EvaluateDerivatives(x, k);
                if (!std::isfinite(exact.first) || !std::isfinite(exact.second) || std::abs(exact.value) > 1e8) {
                    continue;
                }
                const std::optional<double> d1 = df.DefinedValue(x, k);
                const std::optional<double> d2 = ddf.DefinedValue(x, k);
                ASSERT_TRUE(d1 && d2) << "x = " << x << ", k = " << k;
                EXPECT_NEAR(*d1, exact.first, 1e-9 * (1 + std::abs(exact.first))) << "x = " << x << ", k = " << k;
                EXPECT_NEAR(*d2, exact.second, 1e-8 * (1 + std::abs(exact.second))) << "x = " << x << ", k = " << k;
                ++compared;
            }
        }
        EXPECT_GT(compared, 10);
    }
}

TEST(DerivativeTerm, NothingWhereThereIsNoTermOrNoDerivative)
{
    for (const char* term : {"sin(x", "fib(x)", "!(x)+1"}) {
        EXPECT_FALSE(DerivativeTerm(term).has_value()) << term;
    }
    // A part without a derivative that does not depend on x is a constant like any other.
    EXPECT_EQ(CCompiledTerm{*DerivativeTerm("fib(k)*x")}.Evaluate(1.0, 4.0), 5.0);
}

} // namespace
