#pragma once

#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/Scaling.h"

#include <cstddef>
#include <string>
#include <string_view>

class CDrawContext;
struct CRect;

// The short-lived context in which terms are evaluated and graphs are drawn. Whoever needs a value
// or a picture builds one, fills in copies of what it needs, uses it and throws it away.
//
// Evaluation side: a direct recursive interpreter over the term text. Nothing is parsed ahead and
// nothing is kept between calls; every evaluation scans the text again, and a failing evaluation
// returns 1.0 and raises g_syntaxError or g_mathError (engine/ErrorFlags.h).
class CGraph
{
public:
    // Clears both error flags.
    CGraph();

    // Nonzero when the term has a syntax error (evaluated once at x = 0, k = 0). Clears only the
    // syntax flag; the math flag may be left raised by the evaluation.
    int CheckTerm(std::string_view term);

    // Order 0: the value at x with family constant k. Orders 1 and 2: first and second derivative;
    // any other order: the third derivative. Derivatives are central differences of order-0
    // values. Flags are neither cleared nor read.
    double Evaluate(std::string_view term, double x, double k, int order);

    // The value of the whole term with the x and k stored in the context. Number reading and name
    // matching inside a part of the term may look on into the rest of the term, never past its end.
    double Interpret(std::string_view term);

    void SetX(double x) { m_x = x; }
    void SetK(double k) { m_k = k; }
    double GetX() const { return m_x; }
    double GetK() const { return m_k; }

    // The text of a number as the program shows it: fixed point with at most five decimals,
    // trailing zeros and a bare decimal point removed.
    static std::string FormatNumber(double value);
    // The same with at most `decimals` decimals (1 to 15; outside that, the nearer end).
    static std::string FormatNumber(double value, int decimals);

    // Drawing side.
    CFunctionList& Functions() { return m_functions; }
    CObjectList& Objects() { return m_objects; }
    CScaling& Scaling() { return m_scaling; }
    const CFunctionList& Functions() const { return m_functions; }
    const CObjectList& Objects() const { return m_objects; }
    const CScaling& Scaling() const { return m_scaling; }

    void Draw(CDrawContext& dc, const CRect& rect, int minimumFontHeight);
    void AutoScaleY(int intervals);

    // Nesting deeper than this (parentheses, function calls, signs) is a syntax error and reads as
    // 1.0, so that no term, however long, can exhaust the stack. A chain of operators of one level
    // (x+x+...+x) counts as one level, however long it is.
    static constexpr int kMaxDepth = 2000;

private:
    double InterpretView(const char* text, std::size_t length);
    double EvaluateAt(std::string_view term, double x);

    CFunctionList m_functions;
    CObjectList m_objects;
    CScaling m_scaling;
    double m_k{0.0};
    double m_x{0.0};

    // The interpreter's bounds for one Interpret call: where the term ends, and how deep it is.
    const char* m_end{nullptr};
    int m_depth{0};
};
