#pragma once

#include "document/GraphFunction.h"
#include "document/LineStyle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// What a derived curve is computed as from its source function. The codes are those of the
// file's `DERV` record; a new kind takes the next code.
enum class EDerivedKind : std::uint8_t
{
    FirstDerivative = 0,  // f'
    SecondDerivative = 1, // f''
    Antiderivative = 2,   // F with F(x0) = y0
    LocusOfExtrema = 3,   // the Ortskurve of f_k's extrema: a curve in the plane, not a function of x
    LocusOfInflections = 4,
};

inline constexpr std::uint32_t kDerivedKindCount = 5;

// Whether the curve is an Ortskurve: joined points per branch rather than values at each x.
inline bool IsLocusKind(EDerivedKind kind)
{
    return kind == EDerivedKind::LocusOfExtrema || kind == EDerivedKind::LocusOfInflections;
}

// A curve drawn from a function of the list rather than from a term of its own: it is computed
// from the source whenever it is drawn, so it follows every edit of the source. It holds its
// source by the index in the function list; whoever removes a function fixes the indices
// (EraseDerivedOfFunction).
class CDerivedCurve
{
public:
    CDerivedCurve() = default;
    CDerivedCurve(std::size_t source, EDerivedKind kind) : m_source{source}, m_kind{kind} {}

    std::size_t GetSource() const { return m_source; }
    void SetSource(std::size_t source) { m_source = source; }

    EDerivedKind GetKind() const { return m_kind; }
    void SetKind(EDerivedKind kind) { m_kind = kind; }

    // For an antiderivative, the point it passes through: F(x0) = y0. Not a finite number is 0.
    double GetX0() const { return m_x0; }
    double GetY0() const { return m_y0; }
    void SetStart(double x0, double y0);

    std::uint32_t GetColor() const { return m_color; }
    void SetColor(std::uint32_t color) { m_color = color; }

    const SLineStroke& GetStroke() const { return m_stroke; }
    void SetStroke(const SLineStroke& stroke) { m_stroke = {NormaliseLineWidth(stroke.width), stroke.style}; }

    bool operator==(const CDerivedCurve&) const = default;

private:
    std::size_t m_source{0};
    EDerivedKind m_kind{EDerivedKind::FirstDerivative};
    double m_x0{0.0};
    double m_y0{0.0};
    std::uint32_t m_color{0};
    SLineStroke m_stroke;
};

using CDerivedList = std::vector<CDerivedCurve>;

// A new derived curve of the function at source: drawn in the source's colour, told apart from it
// by its dashes (f' dashed, f'' dotted, F dash-dotted), so that a glance pairs it with its source.
// An Ortskurve is solid and twice as wide: it crosses the members rather than running beside them.
CDerivedCurve NewDerivedCurve(const CFunctionList& functions, std::size_t source, EDerivedKind kind);

// The curve's name, made from its source's: f gives f', f'' and F, g gives g', g'' and G. A name
// that starts with no small letter has no capital to give its antiderivative, which is then
// called "Stf_" and the name ("Stf_K1" for K1). An Ortskurve of f is "Ortskurve von f_k", of
// either kind.
std::string DerivedCurveName(const CFunctionList& functions, const CDerivedCurve& curve);

// The name as the head of the legend line: f', or for a family f'_k; an Ortskurve's is its name.
std::string DerivedCurveHead(const CFunctionList& functions, const CDerivedCurve& curve);

// The legend line's text: the head with "(x)", but an Ortskurve's name alone, since it is no
// function of x.
std::string DerivedCurveLegend(const CFunctionList& functions, const CDerivedCurve& curve);

// After the function at index left the list: its derived curves go with it, and those of later
// functions point one place further up. True when the list changed.
bool EraseDerivedOfFunction(CDerivedList& derived, std::size_t index);
