#pragma once

#include <optional>
#include <span>

// The size that nine in ten of the finite values do not exceed (the absolute value at rank
// count * 9 / 10 of the finite ones in ascending order): the measure of a quantity's larger values
// on a piece, which a pole at its end does not swamp. Nothing where no value is finite.
std::optional<double> TypicalSize(std::span<const double> values);
