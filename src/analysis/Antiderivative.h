#pragma once

#include <cstdint>
#include <optional>
#include <span>

class CCompiledTerm;

// F with F' = f (the term at this k) and F(x0) = y0, at the ascending xs of a drawing: the
// integral from x0, accumulated from one x to the next by the adaptive quadrature. F exists only
// on the stretch around x0 where f is defined without a pole or an edge; removable gaps and
// jumps do not end it, since the integral goes on across them. Where F does not exist (beyond a
// pole, on another piece, everywhere when x0 itself is no point of the domain) undefined[i] is 1
// and values[i] means nothing. The work is bounded: one domain and a capped quadrature per step.
// Leaves both error flags as they were. The spans must be of the same size.
void SampleAntiderivative(const CCompiledTerm& f, double k, double x0, double y0, std::span<const double> xs,
                          std::span<double> values, std::span<std::uint8_t> undefined);

// F at one x, where it exists and is a number: what a trace shows at its marker.
std::optional<double> AntiderivativeAt(const CCompiledTerm& f, double k, double x0, double y0, double x);
