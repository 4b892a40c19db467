#include "analysis/LocusFit.h"

#include "analysis/TermText.h"
#include "engine/CompiledTerm.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>
#include <optional>
#include <string>
#include <vector>

namespace {

// The sums of the fit run in the wider type: the columns x^j of points far from 0 are nearly
// alike, and the few extra bits keep the least squares from losing what the check then misses.
using Real = long double;

// The solution c of least |A c - b| by Householder reflections; nothing where the columns do not
// tell the coefficients apart.
std::optional<std::vector<Real>> LeastSquares(std::vector<std::vector<Real>> columns, std::vector<Real> b)
{
    const std::size_t m = columns.size();
    const std::size_t n = b.size();
    if (m == 0 || n < m) {
        return std::nullopt;
    }
    Real largest = 0;
    for (std::size_t j = 0; j < m; ++j) {
        std::vector<Real>& a = columns[j];
        Real norm = 0;
        for (std::size_t i = j; i < n; ++i) {
            norm += a[i] * a[i];
        }
        norm = std::sqrt(norm);
        largest = std::max(largest, norm);
        if (!(norm > 1e-14L * largest)) {
            return std::nullopt;
        }
        const Real alpha = a[j] > 0 ? -norm : norm;
        std::vector<Real> v(a.begin() + static_cast<std::ptrdiff_t>(j), a.end());
        v[0] -= alpha;
        Real vv = 0;
        for (const Real value : v) {
            vv += value * value;
        }
        const auto reflect = [&](std::vector<Real>& column) {
            Real dot = 0;
            for (std::size_t i = j; i < n; ++i) {
                dot += v[i - j] * column[i];
            }
            const Real factor = 2 * dot / vv;
            for (std::size_t i = j; i < n; ++i) {
                column[i] -= factor * v[i - j];
            }
        };
        for (std::size_t l = j; l < m; ++l) {
            reflect(columns[l]);
        }
        reflect(b);
    }
    std::vector<Real> c(m);
    for (std::size_t j = m; j-- > 0;) {
        Real sum = b[j];
        for (std::size_t l = j + 1; l < m; ++l) {
            sum -= columns[l][j] * c[l];
        }
        c[j] = sum / columns[j][j];
    }
    return c;
}

struct SPoints
{
    std::span<const double> xs;
    std::span<const double> ys;
    double tolerance{};
    // The largest |x|: the columns are powers of x / scale, so that they are of one size.
    double scale{1};
};

// The coefficients c_0 .. c_(free-1) that fit best once the given ones from c_free up are taken
// off the points; the others of `coefficients` are returned as they came.
std::optional<std::vector<double>> FitLower(const SPoints& points, std::size_t free,
                                            std::vector<double> coefficients)
{
    if (free == 0) {
        return coefficients;
    }
    const std::size_t n = points.xs.size();
    std::vector<std::vector<Real>> columns(free, std::vector<Real>(n));
    std::vector<Real> b(n);
    for (std::size_t i = 0; i < n; ++i) {
        const Real x = points.xs[i];
        Real fixed = 0;
        for (std::size_t j = coefficients.size(); j-- > free;) {
            fixed = fixed * x + coefficients[j];
        }
        for (std::size_t j = 0; j < free; ++j) {
            fixed *= x;
        }
        b[i] = points.ys[i] - fixed;
        Real power = 1;
        for (std::size_t j = 0; j < free; ++j) {
            columns[j][i] = power;
            power *= x / points.scale;
        }
    }
    const std::optional<std::vector<Real>> solved = LeastSquares(std::move(columns), std::move(b));
    if (!solved) {
        return std::nullopt;
    }
    Real power = 1;
    for (std::size_t j = 0; j < free; ++j) {
        coefficients[j] = static_cast<double>((*solved)[j] / power);
        power *= points.scale;
    }
    return coefficients;
}

bool Holds(const SPoints& points, const std::vector<double>& coefficients)
{
    for (std::size_t i = 0; i < points.xs.size(); ++i) {
        Real value = 0;
        for (std::size_t j = coefficients.size(); j-- > 0;) {
            value = value * points.xs[i] + coefficients[j];
        }
        if (!(std::fabs(static_cast<double>(value - points.ys[i])) <= points.tolerance)) {
            return false;
        }
    }
    return true;
}

// Whether the term, read as the user would read it, passes through every point.
bool ReadsBack(const SPoints& points, const std::string& term)
{
    const CCompiledTerm compiled{term};
    if (compiled.HasSyntaxError()) {
        return false;
    }
    for (std::size_t i = 0; i < points.xs.size(); ++i) {
        const std::optional<double> value = compiled.DefinedValue(points.xs[i], 0.0);
        if (!value || !(std::fabs(*value - points.ys[i]) <= points.tolerance)) {
            return false;
        }
    }
    return true;
}

std::string DenominatorText(int denominator)
{
    return denominator == 1 ? std::string{} : "/" + std::to_string(denominator);
}

// The short forms near c, shortest text first: decimals of 0 to 6 places, fractions p/q up to
// q = 64. Far ones are left out before they are tried.
std::vector<SLocusCoefficient> ShortForms(double c)
{
    struct SCandidate
    {
        SLocusCoefficient form;
        std::size_t length;
        double off;
    };
    std::vector<SCandidate> candidates;
    const auto add = [&](double numerator, int denominator) {
        const SLocusCoefficient form{numerator, denominator};
        const double off = std::fabs(form.Value() - c);
        if (!(off <= 1e-6 * std::max(1.0, std::fabs(c)))) {
            return;
        }
        candidates.push_back(
            {form, TermNumberExact(std::fabs(numerator)).size() + DenominatorText(denominator).size(), off});
    };
    double power = 1;
    for (int places = 0; places <= 6; ++places, power *= 10) {
        add(std::nearbyint(c * power) / power, 1);
    }
    for (int q = 2; q <= 64; ++q) {
        const double p = std::nearbyint(c * q);
        if (p != 0 && std::fabs(p) < 1e15 && std::gcd(static_cast<long long>(std::fabs(p)), q) == 1) {
            add(p, q);
        }
    }
    std::stable_sort(candidates.begin(), candidates.end(), [](const SCandidate& a, const SCandidate& b) {
        return a.length != b.length ? a.length < b.length : a.off < b.off;
    });
    std::vector<SLocusCoefficient> forms;
    for (const SCandidate& candidate : candidates) {
        forms.push_back(candidate.form);
    }
    return forms;
}

// From the highest degree down, each coefficient in its shortest form that still holds, the lower
// ones fitted again around it; where none holds the coefficient stays as fitted.
std::vector<SLocusCoefficient> Shortened(const SPoints& points, std::vector<double> current)
{
    std::vector<SLocusCoefficient> stated(current.size());
    for (std::size_t j = current.size(); j-- > 0;) {
        stated[j] = {current[j], 1};
        for (const SLocusCoefficient& form : ShortForms(current[j])) {
            std::vector<double> trial = current;
            trial[j] = form.Value();
            const std::optional<std::vector<double>> refitted = FitLower(points, j, trial);
            if (refitted && Holds(points, *refitted)) {
                current = *refitted;
                stated[j] = form;
                break;
            }
        }
    }
    return stated;
}

std::size_t DistinctCount(std::vector<double> values, double tolerance)
{
    std::sort(values.begin(), values.end());
    std::size_t count = values.empty() ? 0 : 1;
    for (std::size_t i = 1; i < values.size(); ++i) {
        if (values[i] - values[i - 1] > tolerance) {
            ++count;
        }
    }
    return count;
}

SLocusFit SameX(const SPoints& points)
{
    SLocusFit fit;
    fit.x = points.xs.front();
    fit.y = points.ys.front();
    const bool sameY = std::all_of(points.ys.begin(), points.ys.end(),
                                   [&](double y) { return std::fabs(y - fit.y) <= points.tolerance; });
    fit.shape = sameY ? ELocusShape::Point : ELocusShape::Vertical;
    fit.term = TermNumberExact(fit.x);
    for (const SLocusCoefficient& form : ShortForms(fit.x)) {
        if (std::all_of(points.xs.begin(), points.xs.end(),
                        [&](double x) { return std::fabs(x - form.Value()) <= points.tolerance; })) {
            fit.x = form.Value();
            fit.term = PolynomialTerm(std::span<const SLocusCoefficient>{&form, 1});
            break;
        }
    }
    return fit;
}

} // namespace

std::string PolynomialTerm(std::span<const SLocusCoefficient> coefficients)
{
    std::string term;
    for (std::size_t j = 0; j < coefficients.size(); ++j) {
        const SLocusCoefficient& c = coefficients[j];
        if (c.numerator == 0) {
            continue;
        }
        const bool negative = c.numerator < 0;
        const std::string magnitude = TermNumberExact(std::fabs(c.numerator));
        const std::string power = j == 0   ? std::string{}
                                  : j == 1 ? std::string{"x"}
                                           : "x^" + std::to_string(j);
        std::string body;
        if (j == 0) {
            body = magnitude;
        } else if (magnitude == "1") {
            // A sign in front of the term binds tighter than ^: -x^2 reads as (-x)^2.
            body = negative && term.empty() && j > 1 ? "(" + power + ")" : power;
        } else {
            body = magnitude + "*" + power;
        }
        body += DenominatorText(c.denominator);
        if (negative) {
            term += "-";
        } else if (!term.empty()) {
            term += "+";
        }
        term += body;
    }
    return term.empty() ? std::string{"0"} : term;
}

SLocusFit FitLocus(std::span<const double> xs, std::span<const double> ys)
{
    const std::size_t n = std::min(xs.size(), ys.size());
    SLocusFit fit;
    if (n == 0) {
        return fit;
    }
    SPoints points{xs.first(n), ys.first(n)};
    double largest = 0;
    double largestX = 0;
    for (std::size_t i = 0; i < n; ++i) {
        largest = std::max({largest, std::fabs(xs[i]), std::fabs(ys[i])});
        largestX = std::max(largestX, std::fabs(xs[i]));
    }
    points.tolerance = kLocusTolerance * largest;
    points.scale = largestX > 0 ? largestX : 1;
    const std::size_t distinct =
        DistinctCount({xs.begin(), xs.begin() + static_cast<std::ptrdiff_t>(n)}, points.tolerance);
    if (distinct == 1) {
        return SameX(points);
    }
    for (std::size_t degree = 0; degree <= kLocusMaxDegree && distinct >= degree + 2; ++degree) {
        const std::optional<std::vector<double>> exact =
            FitLower(points, degree + 1, std::vector<double>(degree + 1));
        if (!exact || !Holds(points, *exact)) {
            continue;
        }
        std::vector<SLocusCoefficient> stated = Shortened(points, *exact);
        std::string term = PolynomialTerm(stated);
        if (!ReadsBack(points, term)) {
            stated.clear();
            for (const double c : *exact) {
                stated.push_back({c, 1});
            }
            term = PolynomialTerm(stated);
            if (!ReadsBack(points, term)) {
                continue;
            }
        }
        // A top coefficient shortened to 0 leaves a term of lower degree.
        while (stated.size() > 1 && stated.back().numerator == 0) {
            stated.pop_back();
        }
        fit.shape = ELocusShape::Polynomial;
        fit.coefficients = std::move(stated);
        fit.term = std::move(term);
        return fit;
    }
    fit.shape = distinct >= kLocusMaxDegree + 2 ? ELocusShape::NoPolynomial : ELocusShape::TooFewPoints;
    return fit;
}
