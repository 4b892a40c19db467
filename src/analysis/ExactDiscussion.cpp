#include "analysis/ExactDiscussion.h"

#include "analysis/CasProver.h"
#include "engine/CompiledTerm.h"

#include <cmath>
#include <numbers>

namespace {

const char* Infinity(int side)
{
    return side > 0 ? "+infinity" : "-infinity";
}

// Two estimates of one limit, the module's and the far-out evaluation's, are the same number.
bool Close(double a, double b)
{
    return std::fabs(a - b) <= 1e-6 * std::max(1.0, std::fabs(a));
}

} // namespace

CExactDiscussion::CExactDiscussion(ICasProver* prover, CCasBudget* budget, std::string_view term, double k)
    : m_prover{prover}, m_budget{budget}, m_term{term}, m_k{k}
{
    if (m_prover != nullptr && m_budget != nullptr) {
        m_cas = CasTermOf(term, k);
    }
}

template <class Method, class... Arguments> auto CExactDiscussion::Ask(Method method, const Arguments&... arguments)
{
    return m_budget->Ask([&] { return (m_prover->*method)(arguments...); });
}

std::optional<CExactDiscussion::SExactNumber> CExactDiscussion::Exact(const std::optional<std::string>& answer) const
{
    if (!answer) {
        return std::nullopt;
    }
    const std::optional<std::string> term = TermOfCasAnswer(*answer);
    if (!term) {
        return std::nullopt;
    }
    const std::optional<double> value = TermValue(*term);
    if (!value) {
        return std::nullopt;
    }
    return SExactNumber{*answer, *term, *value};
}

SResultLimit CExactDiscussion::ProveFar(const SResultLimit& numeric)
{
    // Where f is not defined far out, the module's answer is about a continuation of f.
    if (!m_cas || numeric.toward == 0 || numeric.limit == ELimit::Undefined) {
        return numeric;
    }
    const std::optional<std::string> answer = Ask(&ICasProver::Limit, m_cas->text, Infinity(numeric.toward), 0);
    if (!answer) {
        return numeric;
    }
    SResultLimit proven = numeric;
    proven.numerical = false;
    if (*answer == "+infinity" || *answer == "-infinity") {
        proven.limit = *answer == "+infinity" ? ELimit::PlusInfinity : ELimit::MinusInfinity;
        if (numeric.limit != proven.limit && numeric.limit != ELimit::Unknown) {
            return numeric;
        }
    } else {
        const std::optional<SExactNumber> value = Exact(answer);
        if (!value || (numeric.limit == ELimit::Value ? !Close(value->value, numeric.value)
                                                       : numeric.limit != ELimit::Unknown)) {
            return numeric;
        }
        proven.limit = ELimit::Value;
        proven.value = value->value;
        proven.exactValue = value->term;
    }
    m_far[numeric.toward > 0 ? 1 : 0] = answer;
    return proven;
}

std::optional<SResultAsymptote> CExactDiscussion::ProveFarAsymptote(int side,
                                                                    const std::optional<SResultAsymptote>& numeric)
{
    const std::optional<std::string>& limit = m_far[side > 0 ? 1 : 0];
    if (!limit) {
        return numeric;
    }
    SResultAsymptote proven;
    proven.side = side;
    if (*limit != "+infinity" && *limit != "-infinity") {
        const std::optional<SExactNumber> value = Exact(limit);
        if (!value) {
            return numeric;
        }
        proven.kind = EAsymptote::Horizontal;
        proven.intercept = value->value;
        proven.exactIntercept = value->term;
        return proven;
    }
    // Growing without bound: an oblique line y = m*x + c with m = lim f(x)/x and c = lim f(x) - m*x.
    const std::string& f = m_cas->text;
    const std::optional<SExactNumber> slope = Exact(Ask(&ICasProver::Limit, "(" + f + ")/x", Infinity(side), 0));
    std::optional<SExactNumber> intercept;
    if (slope && slope->value != 0) {
        intercept = Exact(Ask(&ICasProver::Limit, "(" + f + ")-(" + slope->cas + ")*x", Infinity(side), 0));
    }
    if (!intercept) {
        return numeric;
    }
    proven.kind = EAsymptote::Oblique;
    proven.slope = slope->value;
    proven.intercept = intercept->value;
    proven.exactSlope = slope->term;
    proven.exactIntercept = intercept->term;
    if (numeric && (numeric->kind != EAsymptote::Oblique || !Close(numeric->slope, proven.slope) ||
                    !Close(numeric->intercept, proven.intercept))) {
        return numeric;
    }
    return proven;
}

SResultSymmetry CExactDiscussion::ProveSymmetry(const SResultSymmetry& numeric)
{
    // Only a symmetry that the values show too: the module's f(-x) may be defined where the
    // program's is not.
    if (!m_cas || numeric.symmetry == ESymmetry::None) {
        return numeric;
    }
    const std::string& f = m_cas->text;
    const char op = numeric.symmetry == ESymmetry::Even ? '-' : '+';
    SResultSymmetry proven = numeric;
    proven.numerical = !Ask(&ICasProver::IsZero, "subst(" + f + ",x=-x)" + op + "(" + f + ")");
    return proven;
}

const CExactDiscussion::SExactNumber* CExactDiscussion::Matching(const std::vector<SExactNumber>& numbers, double x)
{
    for (const SExactNumber& number : numbers) {
        if (AgreesFully(number.value, x)) {
            return &number;
        }
    }
    return nullptr;
}

const std::vector<CExactDiscussion::SExactNumber>& CExactDiscussion::Roots(int order)
{
    const auto known = m_roots.find(order);
    if (known != m_roots.end()) {
        return known->second;
    }
    std::vector<SExactNumber>& roots = m_roots[order];
    const std::optional<std::string>& g = m_derivatives[order] =
        order == 0 ? std::optional{m_cas->text} : Ask(&ICasProver::Derivative, m_cas->text, order);
    if (g) {
        for (const std::string& root : Ask(&ICasProver::RealRoots, *g).value_or(std::vector<std::string>{})) {
            if (const std::optional<SExactNumber> number = Exact(root)) {
                roots.push_back(*number);
            }
        }
    }
    return roots;
}

const std::vector<CExactDiscussion::SExactNumber>& CExactDiscussion::Singular()
{
    if (!m_singular) {
        m_singular.emplace();
        std::vector<std::string> places = Ask(&ICasProver::Singularities, m_cas->text).value_or(std::vector<std::string>{});
        // A gap that the module's simplification removes is still a root of what f divides by.
        for (const std::string& divisor : m_cas->divisors) {
            const std::vector<std::string> roots = Ask(&ICasProver::RealRoots, divisor).value_or(std::vector<std::string>{});
            places.insert(places.end(), roots.begin(), roots.end());
        }
        for (const std::string& place : places) {
            if (const std::optional<SExactNumber> number = Exact(place)) {
                m_singular->push_back(*number);
            }
        }
    }
    return *m_singular;
}

// x made as exact as doubles allow by Newton steps on the order-th derivative, where a point of
// that order lies.
double CExactDiscussion::Refined(double x, int order) const
{
    const CCompiledTerm term{m_term};
    for (int step = 0; step < 8; ++step) {
        const CCompiledTerm::SDerivatives d = term.EvaluateDerivatives(x, m_k);
        const double g = order == 0 ? d.value : order == 1 ? d.first : d.second;
        const double slope = order == 0 ? d.first : order == 1 ? d.second : d.third;
        if (g == 0 || !std::isfinite(g) || !std::isfinite(slope) || slope == 0) {
            break;
        }
        const double next = x - g / slope;
        if (!std::isfinite(next) || std::fabs(next - x) > 1e-6 * std::max(1.0, std::fabs(x))) {
            break; // not converging to this point: keep the scan's own value
        }
        if (next == x) {
            break;
        }
        x = next;
    }
    return x;
}

std::optional<CExactDiscussion::SExactNumber> CExactDiscussion::ShiftedRoot(int order, double x)
{
    const std::optional<std::string>& g = m_derivatives[order];
    if (!g) {
        return std::nullopt;
    }
    for (const SExactNumber& root : Roots(order)) {
        const double turns = std::round((x - root.value) / std::numbers::pi);
        if (turns == 0 || std::fabs(turns) > 1000) {
            continue;
        }
        const std::string shifted = "(" + root.cas + ")+(" + std::to_string(static_cast<int>(turns)) + ")*pi";
        std::optional<SExactNumber> number = Exact(Ask(&ICasProver::ValueAt, std::string{"x"}, shifted));
        // Kept only where the module shows that it is a root indeed.
        if (number && AgreesFully(number->value, x) && Ask(&ICasProver::IsZero, "subst(" + *g + ",x=" + shifted + ")")) {
            return number;
        }
    }
    return std::nullopt;
}

void CExactDiscussion::AddExact(SResultPoint& point)
{
    if (!m_cas) {
        return;
    }
    const int order = point.letter == 'N' ? 0 : point.letter == 'W' ? 2 : 1;
    const double x = Refined(point.x, order);
    const SExactNumber* root = Matching(Roots(order), x);
    std::optional<SExactNumber> shifted;
    if (root == nullptr && (shifted = ShiftedRoot(order, x))) {
        root = &*shifted;
    }
    if (root == nullptr) {
        return;
    }
    const std::optional<double> y = CCompiledTerm{m_term}.DefinedValue(x, m_k);
    if (!y) {
        return;
    }
    if (order == 0) {
        point.exact = SExactPoint{root->term, "0"};
        return;
    }
    const std::optional<SExactNumber> value = Exact(Ask(&ICasProver::ValueAt, m_cas->text, root->cas));
    if (value && AgreesFully(value->value, *y)) {
        point.exact = SExactPoint{root->term, value->term};
    }
}

void CExactDiscussion::AddExact(SResultYIntercept& intercept)
{
    if (!m_cas || !intercept.y) {
        return;
    }
    const std::optional<SExactNumber> value = Exact(Ask(&ICasProver::ValueAt, m_cas->text, "0"));
    if (value && AgreesFully(value->value, *intercept.y)) {
        intercept.exactY = value->term;
    }
}

void CExactDiscussion::AddExact(SResultPlace& place)
{
    if (!m_cas || place.kind != EPlaceKind::Gap) {
        return;
    }
    const SExactNumber* x = Matching(Singular(), place.x);
    if (x == nullptr) {
        return;
    }
    const std::optional<SExactNumber> y = Exact(Ask(&ICasProver::Limit, m_cas->text, x->cas, 0));
    if (y && AgreesFully(y->value, place.y)) {
        place.exact = SExactPoint{x->term, y->term};
    }
}

void CExactDiscussion::AddExact(SResultAsymptote& vertical)
{
    if (!m_cas || vertical.kind != EAsymptote::Vertical) {
        return;
    }
    if (const SExactNumber* x = Matching(Singular(), vertical.position)) {
        vertical.exactPosition = x->term;
        return;
    }
    // A pole of a periodic f a multiple of pi away from one the module gave, where it shows that f
    // grows without bound there.
    for (const SExactNumber& place : Singular()) {
        const double turns = std::round((vertical.position - place.value) / std::numbers::pi);
        if (turns == 0 || std::fabs(turns) > 1000) {
            continue;
        }
        const std::string shifted = "(" + place.cas + ")+(" + std::to_string(static_cast<int>(turns)) + ")*pi";
        const std::optional<SExactNumber> x = Exact(Ask(&ICasProver::ValueAt, std::string{"x"}, shifted));
        if (!x || !AgreesFully(x->value, vertical.position)) {
            continue;
        }
        const std::optional<std::string> limit = Ask(&ICasProver::Limit, m_cas->text, shifted, 1);
        if (limit == "+infinity" || limit == "-infinity") {
            vertical.exactPosition = x->term;
            return;
        }
    }
}
