#pragma once

#include "analysis/AnalysisResult.h"
#include "analysis/CasTerm.h"

#include <array>
#include <chrono>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class ICasProver;

// The time the module may spend on one whole discussion, shared by its family values: a hard term
// (a transcendental f'' = 0 that the module tries to solve) would otherwise add its time limit per
// question many times over. What is not asked in time stays numerical.
class CCasBudget
{
public:
    explicit CCasBudget(std::chrono::milliseconds total) : m_left{total} {}

    template <class Question> auto Ask(Question&& question) -> decltype(question())
    {
        if (m_left <= std::chrono::steady_clock::duration::zero()) {
            return {};
        }
        const auto start = std::chrono::steady_clock::now();
        auto answer = question();
        m_left -= std::chrono::steady_clock::now() - start;
        return answer;
    }

private:
    std::chrono::steady_clock::duration m_left;
};

// What the computer-algebra module proves about f at one family value, laid over the numerical
// results of the whole curve discussion: the limits far out, the asymptotes, the symmetry, and the
// exact forms of the points, of the y-axis intercept, of gaps and of vertical asymptotes.
//
// The numerical result stays wherever the module cannot decide, and also wherever it contradicts
// the numerical one, since the module reads f as a formula and may continue it where the program
// does not define it (ln(x) for x < 0 as a complex number). Every exact form is read back by the
// term engine and kept only where it equals the refined numerical value to 1e-12 (AgreesFully).
// Without a prover, or for a term the module cannot take, every result passes unchanged.
class CExactDiscussion
{
public:
    CExactDiscussion(ICasProver* prover, CCasBudget* budget, std::string_view term, double k);

    SResultLimit ProveFar(const SResultLimit& numeric);
    // The asymptote for x toward ±infinity (side +1 or -1), after ProveFar of that side.
    std::optional<SResultAsymptote> ProveFarAsymptote(int side, const std::optional<SResultAsymptote>& numeric);
    SResultSymmetry ProveSymmetry(const SResultSymmetry& numeric);

    void AddExact(SResultPoint& point);
    void AddExact(SResultYIntercept& intercept);
    void AddExact(SResultPlace& place);
    void AddExact(SResultAsymptote& vertical);

private:
    struct SExactNumber
    {
        std::string cas;  // as the module writes it
        std::string term; // as the program reads it
        double value{};
    };

    // A question to the module, within the budget.
    template <class Method, class... Arguments> auto Ask(Method method, const Arguments&... arguments);
    std::optional<SExactNumber> Exact(const std::optional<std::string>& answer) const;
    // The exact number among `numbers` that equals x.
    static const SExactNumber* Matching(const std::vector<SExactNumber>& numbers, double x);
    const std::vector<SExactNumber>& Roots(int order);
    // A root of the order-th derivative at x that lies a multiple of pi away from one the module
    // gave: it gives only some roots of a periodic f.
    std::optional<SExactNumber> ShiftedRoot(int order, double x);
    const std::vector<SExactNumber>& Singular();
    double Refined(double x, int order) const;

    ICasProver* m_prover;
    CCasBudget* m_budget;
    std::string m_term;
    double m_k;
    std::optional<SCasTerm> m_cas;
    std::map<int, std::vector<SExactNumber>> m_roots;
    std::map<int, std::optional<std::string>> m_derivatives; // f, f', f'' as the module writes them
    std::optional<std::vector<SExactNumber>> m_singular;
    // The proven limits toward -infinity and +infinity, as the module wrote them.
    std::array<std::optional<std::string>, 2> m_far;
};
