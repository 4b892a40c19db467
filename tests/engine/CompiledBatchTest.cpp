// The batch's division by a power of two, a multiplication, against the one-point evaluation.
#include "engine/CompiledTerm.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>
#include <random>
#include <vector>

namespace {

TEST(CompiledBatch, DivisionByAPowerOfTwoRoundsAsTheDivision)
{
    const double kInf = std::numeric_limits<double>::infinity();
    std::vector<double> xs = {0.0,        -0.0, -7.5, kInf, -kInf / kInf, 0x1p-1074, 0x1.fffffffffffffp-1022,
                              0x1.8p-1073};
    std::mt19937_64 random{4};
    while (xs.size() < 2000) {
        xs.push_back(std::bit_cast<double>(random()));
    }
    // Powers of two near both ends, whose reciprocal is subnormal or would overflow, and divisors
    // that are no power of two.
    for (const char* term :
         {"x/4", "x/(-0.5)", "x/2^1023", "x/2^(-1022)", "x/2^(-1073)", "x/2^(-1074)", "x/3", "(x+1)/8/k"}) {
        const CCompiledTerm compiled{term};
        std::vector<double> values(xs.size());
        std::vector<std::uint8_t> errors(xs.size());
        compiled.EvaluateBatch(xs, 2.0, values, errors);
        for (std::size_t i = 0; i < xs.size(); ++i) {
            ASSERT_EQ(std::bit_cast<std::uint64_t>(values[i]),
                      std::bit_cast<std::uint64_t>(compiled.Evaluate(xs[i], 2.0)))
                << term << " at " << std::hexfloat << xs[i];
        }
    }
}

} // namespace
