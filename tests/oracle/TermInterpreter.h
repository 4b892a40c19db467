#pragma once

#include <cstddef>
#include <string_view>

// The term language read straight from its text: a direct recursive interpreter that parses
// nothing ahead and keeps nothing between calls, so every evaluation scans the text again. The
// program evaluates terms only through CCompiledTerm; this reading is kept as the reference the
// compiled form is compared with, value for value and flag for flag, by the tests and fuzzers.
//
// A failing evaluation returns 1.0 and raises g_syntaxError or g_mathError (engine/ErrorFlags.h).
class CTermInterpreter
{
public:
    // Clears both error flags.
    CTermInterpreter();

    // Nonzero when the term has a syntax error (evaluated once at x = 0, k = 0). Clears only the
    // syntax flag; the math flag may be left raised by the evaluation.
    int CheckTerm(std::string_view term);

    // Order 0: the value at x with family constant k. Orders 1 and 2: first and second derivative;
    // any other order: the third derivative. Derivatives are central differences of order-0
    // values. Flags are neither cleared nor read.
    double Evaluate(std::string_view term, double x, double k, int order);

    // The value of the whole term with the x and k stored in the interpreter. Number reading and
    // name matching inside a part of the term may look on into the rest of the term, never past its
    // end.
    double Interpret(std::string_view term);

    void SetX(double x) { m_x = x; }
    void SetK(double k) { m_k = k; }
    double GetX() const { return m_x; }
    double GetK() const { return m_k; }

private:
    double InterpretView(const char* text, std::size_t length);
    double EvaluateAt(std::string_view term, double x);

    double m_k{0.0};
    double m_x{0.0};

    // The bounds of one Interpret call: where the term ends, and how deep it is.
    const char* m_end{nullptr};
    int m_depth{0};
};
