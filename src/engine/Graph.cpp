#include "engine/Graph.h"

#include "engine/ErrorFlags.h"

CGraph::CGraph()
{
    g_syntaxError = 0;
    g_mathError = 0;
}

int CGraph::CheckTerm(std::string_view term)
{
    g_syntaxError = 0;
    m_k = 0.0;
    m_x = 0.0;
    Interpret(term);
    return g_syntaxError;
}

double CGraph::EvaluateAt(std::string_view term, double x)
{
    m_x = x;
    return Interpret(term);
}

double CGraph::Evaluate(std::string_view term, double x, double k, int order)
{
    m_k = k;
    // The difference formulas below evaluate in exactly this order and round every intermediate
    // result to double; their values are compared digit for digit, so neither may change.
    switch (order) {
    case 0:
        return EvaluateAt(term, x);
    case 1: {
        const double a = EvaluateAt(term, x + 0.001);
        const double b = EvaluateAt(term, x - 0.001);
        double t = 8 * (a - b);
        const double c = EvaluateAt(term, x + 0.002);
        t = t - c;
        const double d = EvaluateAt(term, x - 0.002);
        t = t + d;
        return t / 0.012;
    }
    case 2: {
        const double a = EvaluateAt(term, x - 0.005);
        const double b = EvaluateAt(term, x + 0.005);
        double t = 16 * (a + b);
        const double c = EvaluateAt(term, x);
        t = t - 30 * c;
        const double d = EvaluateAt(term, x - 0.01);
        t = t - d;
        const double e = EvaluateAt(term, x + 0.01);
        t = t - e;
        return t / 0.0003;
    }
    default: {
        const double a = EvaluateAt(term, x - 0.01);
        const double b = EvaluateAt(term, x + 0.01);
        double t = 2 * (a - b);
        const double c = EvaluateAt(term, x - 0.02);
        t = t - c;
        const double d = EvaluateAt(term, x + 0.02);
        t = t + d;
        // 2 * 0.01^3 as computed in double precision, not the double nearest to 2e-06.
        return t / 2.0000000000000003e-06;
    }
    }
}
