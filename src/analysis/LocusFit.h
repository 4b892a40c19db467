#pragma once

#include <span>
#include <string>
#include <vector>

// The curve that the points of one branch of an Ortskurve lie on, when it is a polynomial in x of
// degree 4 at most, a vertical line or a single point. A fit is stated only where every point lies on
// it: |p(x_i) - y_i| at most kLocusTolerance times the largest |x| or |y| of the points, checked on
// the term as the program reads it back.

inline constexpr int kLocusMaxDegree = 4;
inline constexpr double kLocusTolerance = 1e-9;

// A coefficient as the term writes it: a decimal (denominator 1) or a fraction such as 2/3.
struct SLocusCoefficient
{
    double numerator{};
    int denominator{1};

    double Value() const { return numerator / denominator; }
};

enum class ELocusShape
{
    Polynomial,   // y = the term
    Vertical,     // x = x: every point has the same x
    Point,        // every point is the same
    NoPolynomial, // no polynomial up to degree 4 holds at every point
    TooFewPoints  // the points that differ in x are too few to check even a straight line
};

struct SLocusFit
{
    ELocusShape shape{ELocusShape::TooFewPoints};
    // The polynomial's coefficients from the constant term up, as the term states them.
    std::vector<SLocusCoefficient> coefficients;
    // The polynomial as a term in x ("x-x^2"); for a vertical line the number x.
    std::string term;
    // The x of a vertical line; the point itself.
    double x{};
    double y{};
};

// The fit of the points (xs[i], ys[i]): of the lowest degree that holds, each coefficient as short
// as a decimal of up to six places or a fraction with a denominator up to 64 where that still holds.
// A polynomial of degree d is only stated from at least d + 2 points of different x, so that at least
// one point confirms what the others determine.
SLocusFit FitLocus(std::span<const double> xs, std::span<const double> ys);

// c0 + c1*x + ... + cd*x^d as a term the program reads back as that polynomial, from the constant
// term up: "x-x^2", "-2*x^3", "1+x^2/3"; "0" when every coefficient is 0.
std::string PolynomialTerm(std::span<const SLocusCoefficient> coefficients);
