#pragma once

#include "analysis/Domain.h"
#include "analysis/Quadrature.h"

#include <optional>
#include <vector>

class CCompiledTerm;

// The stretch of f's domain an antiderivative F with F(x0) = y0 lives on: neighbouring pieces
// joined where f has only a gap or a jump between them, since the integral goes on across those.
// A pole or an edge ends it. Empty (from > to) when x0 lies on no piece.
struct SAntiderivativeStretch
{
    SDomainPiece outer{1.0, 0.0, false, false};
    // The borders inside the stretch: the quadrature's steps end there, so that no node falls on
    // a place where f is missing.
    std::vector<double> inner;
};

bool PieceHolds(const SDomainPiece& piece, double x);

SAntiderivativeStretch StretchAround(const SDomain& domain, double x0);

// The integral of f over parts of one stretch. Safe on any thread.
class CStretchIntegral
{
public:
    // The accumulation's tolerance, relative to the size of F where it stands.
    static constexpr double kRelativeTolerance = 1e-11;

    CStretchIntegral(const CCompiledTerm& f, double k, const SAntiderivativeStretch& stretch);

    // The integral of f from a to b (either order), split at the inner borders between them;
    // nothing when the quadrature meets a place where f is not defined. `scale` is the size of F
    // the tolerance is relative to.
    std::optional<double> Step(double a, double b, double scale, int pieces, int maxParts) const;

private:
    const SAntiderivativeStretch& m_stretch;
    Integrand m_at;
};
