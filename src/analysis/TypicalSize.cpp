#include "analysis/TypicalSize.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <vector>

// The bits of a non-negative double are in the order of its value, so the value of that rank is
// found 16 bits at a time by counting, without a copy of a million values to select from; once few
// values share the bits found so far, they are selected among directly.
std::optional<double> TypicalSize(std::span<const double> values)
{
    std::size_t count = 0;
    for (const double value : values) {
        count += std::isfinite(value) ? 1 : 0;
    }
    if (count == 0) {
        return std::nullopt;
    }
    std::size_t rank = count * 9 / 10;
    constexpr std::size_t kFewEnough = 1 << 16;
    std::vector<std::size_t> histogram(std::size_t{1} << 16);
    std::uint64_t prefix = 0;
    for (int shift = 48; shift >= 0; shift -= 16) {
        const std::uint64_t fixed = shift == 48 ? 0 : ~std::uint64_t{0} << (shift + 16);
        std::fill(histogram.begin(), histogram.end(), 0);
        for (const double value : values) {
            const std::uint64_t bits = std::bit_cast<std::uint64_t>(std::fabs(value));
            if (std::isfinite(value) && (bits & fixed) == prefix) {
                ++histogram[(bits >> shift) & 0xffff];
            }
        }
        std::size_t bucket = 0;
        while (rank >= histogram[bucket]) {
            rank -= histogram[bucket++];
        }
        prefix |= static_cast<std::uint64_t>(bucket) << shift;
        if (histogram[bucket] <= kFewEnough && shift > 0) {
            const std::uint64_t kept = ~std::uint64_t{0} << shift;
            std::vector<double> few;
            few.reserve(histogram[bucket]);
            for (const double value : values) {
                const double size = std::fabs(value);
                if (std::isfinite(value) && (std::bit_cast<std::uint64_t>(size) & kept) == prefix) {
                    few.push_back(size);
                }
            }
            const auto at = few.begin() + static_cast<std::ptrdiff_t>(rank);
            std::nth_element(few.begin(), at, few.end());
            return *at;
        }
    }
    return std::bit_cast<double>(prefix);
}
