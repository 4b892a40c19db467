#pragma once

#include <cstdint>

class CDomainProgram;

// How f behaves when x approaches a place from one side.
struct SSideLimit
{
    enum EKind : std::uint8_t
    {
        Undefined,  // f is not defined right next to the place on that side
        Finite,     // f settles: `limit` is its value at the nearest point tried
        Unbounded,  // |f| grows without bound: `limit` is an infinity with the sign of f
        Oscillating // f keeps moving by more than rounding, up and down (sin(1/x) at 0)
    };
    EKind kind{Undefined};
    double limit{};
    // How much f still moved between the two nearest points: the rounding noise of the limit.
    double spread{};
};

// Approaches `anchor` from the side `direction` (-1 from the left, +1 from the right) by halving
// the distance, from at most `room` (which must not reach past the next place that matters) down to
// a few units in the last place of the anchor, at most 160 halvings.
SSideLimit ApproachSide(CDomainProgram& program, double anchor, double direction, double room);

// Whether two finite one-sided limits are the same number up to the noise the approach saw.
bool SameLimit(const SSideLimit& left, const SSideLimit& right);
// Whether f's value at the place is the limit of that side.
bool SameAsLimit(double value, const SSideLimit& side);
