#pragma once

#include "document/LineStyle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// One function of a graph: the term in x (and the family constant k), a free comment, the colour
// of its curve and the family range over which k runs. Strings hold Windows-1252 bytes, as the
// graph files do.
class CGraphFunction
{
public:
    const std::string& GetTerm() const { return m_term; }
    // Stores the term in lower case; an empty term becomes "x".
    void SetTerm(const std::string& term);

    // The name the user gave, or empty for the automatic one (see FunctionName).
    const std::string& GetName() const { return m_name; }
    void SetName(const std::string& name) { m_name = name; }

    const std::string& GetComment() const { return m_comment; }
    void SetComment(const std::string& comment) { m_comment = comment; }

    std::uint32_t GetColor() const { return m_color; }
    void SetColor(std::uint32_t color) { m_color = color; }

    // The width (normalised by NormaliseLineWidth) and dash pattern of the curve.
    const SLineStroke& GetStroke() const { return m_stroke; }
    void SetStroke(const SLineStroke& stroke) { m_stroke = {NormaliseLineWidth(stroke.width), stroke.style}; }

    std::int32_t GetUseFamilyConstant() const { return m_useFamilyConstant; }
    void SetUseFamilyConstant(std::int32_t use) { m_useFamilyConstant = use; }

    void GetRange(double& from, double& to, double& step) const
    {
        from = m_from;
        to = m_to;
        step = m_step;
    }
    // Orders from and to; a step not smaller than the range becomes a quarter of the range. A range
    // with an end that is infinite or not a number becomes 0, 0, 0 (see NormaliseRange).
    void SetRange(double from, double to, double step);

    // Field by field, doubles as numbers: the history leaves out a list that an edit gave back unchanged.
    bool operator==(const CGraphFunction& other) const = default;

private:
    std::string m_term;
    std::string m_comment;
    std::string m_name;
    std::uint32_t m_color{0};
    SLineStroke m_stroke;
    std::int32_t m_useFamilyConstant{0};
    double m_from{0.0};
    double m_to{0.0};
    double m_step{0.0};
};

using CFunctionList = std::vector<CGraphFunction>;

// The automatic name of the function at index in its list: f, g, h, p, q, r, s, u, v, w, then the
// same letters again with 1, 2, ... (f1, g1, ...). It follows the position, so a function without a
// name of its own is renamed when one before it is removed; a file keeps only given names.
std::string DefaultFunctionName(std::size_t index);

// The name the legend and the lists show: the given one, else the automatic one.
std::string FunctionName(const CFunctionList& functions, std::size_t index);

// The name as the head of a term, "g" or, for a family, "h_k": the legend and the lists write
// "g(x)=..." and "h_k(x)=...".
std::string FunctionHead(const CFunctionList& functions, std::size_t index);

// The name a copy of a function carries away from its list: its given name, else f. Whoever takes
// a copy out of a list to discuss it names it first (SetName(FunctionName(list, index))).
std::string OwnFunctionName(const CGraphFunction& function);

// The first name of the automatic sequence (f, g, h, ...) that no function of the list shows,
// for a function that joins the list, such as an adopted tangent.
std::string NextFreeFunctionName(const CFunctionList& functions);
