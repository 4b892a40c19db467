#pragma once

#include <optional>
#include <string>
#include <vector>

// What the computer-algebra module (src/cas/, loaded on demand by CasLoader.h) decides about a
// term. Terms go in and come out in the plain notation the module reads natively: x the variable,
// + - * / ^, parentheses around every part, sqrt, exp, ln, log10, sin, ..., abs, sign, pi (CasTerm.h
// writes it from the program's term language and reads its answers back). Every answer is exact or
// nothing: nothing where the module cannot decide, gives up after its time, or fails.
//
// This header is read by the module too, which is built with an older language standard than the
// rest of the program, so it holds nothing newer.
class ICasProver
{
public:
    virtual ~ICasProver() = default;

    // The limit of f for x toward `at` ("+infinity", "-infinity" or a term) from the side
    // (-1 left, +1 right, 0 both): "+infinity", "-infinity" or an exact real number.
    virtual std::optional<std::string> Limit(const std::string& f, const std::string& at, int side) = 0;

    // Whether f simplifies to 0 for every x; false also where the module cannot tell.
    virtual bool IsZero(const std::string& f) = 0;

    // The n-th derivative of f with respect to x.
    virtual std::optional<std::string> Derivative(const std::string& f, int order) = 0;

    // The real solutions of f = 0 that the module finds exactly (those of a periodic f may be only
    // some of them); nothing where it cannot solve.
    virtual std::optional<std::vector<std::string>> RealRoots(const std::string& f) = 0;

    // The real places where f is not defined, as far as the module finds them.
    virtual std::optional<std::vector<std::string>> Singularities(const std::string& f) = 0;

    // f at x = `at`, simplified.
    virtual std::optional<std::string> ValueAt(const std::string& f, const std::string& at) = 0;
};

// The module's one exported function: extern "C" ICasProver* vex_cas_prover(); the object lives
// as long as the module.
inline constexpr const char* kCasEntryPoint = "vex_cas_prover";
using CasProverEntry = ICasProver* (*)();
