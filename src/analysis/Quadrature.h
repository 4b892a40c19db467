#pragma once

#include <functional>
#include <optional>
#include <stop_token>

// The integrand at x, or nothing where it is not defined there.
using Integrand = std::function<std::optional<double>(double)>;

struct SQuadrature
{
    double value{};
    // The estimated absolute error of value.
    double error{};
    // Set when the integrand was not defined at a node: value and error then mean nothing.
    std::optional<double> undefinedAt;
    // The middle of the piece with the largest error and the largest |integrand| seen there, for
    // telling a pole from a merely stubborn integrand.
    double worstAt{};
    double worstMagnitude{};
    // The parts used, each one application of both rules.
    int parts{};
    // Set when the stop token ended the work early: value and error then mean nothing.
    bool stopped{false};
};

// Adaptive 7-point Gauss and 15-point Kronrod quadrature over [a, b], starting from `pieces`
// equal parts and halving the part with the largest error until the errors add up to at most
// `tolerance` or `maxParts` parts are in use.
SQuadrature IntegrateAdaptive(const Integrand& f, double a, double b, int pieces, double tolerance,
                              int maxParts, std::stop_token stop = {});
