#pragma once

#include "analysis/DerivativeAt.h"
#include "analysis/Domain.h"
#include "analysis/PieceRoots.h"
#include "analysis/Refinement.h"

#include <cstddef>
#include <stop_token>
#include <utility>
#include <vector>

// The grid of the whole range at a precision: 2^(10 + p) intervals, shared among the pieces by
// their widths, with a floor per piece so that a narrow piece between two poles is looked at too.
inline constexpr std::size_t kMinPieceIntervals = 256;

std::size_t RangeIntervals(int precision);

// Where f is 0 on a whole stretch, its ends refined from the samples to neighbouring doubles.
std::pair<double, double> RefinedStretch(const QuantityAt& f, const std::pair<double, double>& samples,
                                         const SDomainPiece& piece, const ScanVector<double>& xs);

// The zeros of f (order 0), f' or f'' on a piece, on its share of the range's grid; with samples,
// the grid's samples are shared with the other scans given the same store.
SRoots RootsOnPiece(const CDerivativeAt& at, int order, const SDomainPiece& piece, double width,
                    int precision, std::stop_token stop, CSeriesSamples* samples = nullptr);
