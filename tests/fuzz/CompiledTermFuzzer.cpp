// Feeds arbitrary bytes to the interpreter and to the compiled form of a term side by side. The
// first 16 bytes are x and k as raw doubles (any NaN, infinity, zero or denormal), the rest is the
// term. A finding is any difference in a value (bit for bit, every NaN one class), in either
// flag, between one point and a batch, or in whether the term has a syntax error.

#include "engine/CompiledTerm.h"
#include "engine/ErrorFlags.h"
#include "oracle/TermInterpreter.h"

#include <array>
#include <bit>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

void Check(bool condition)
{
    if (!condition) {
        std::abort();
    }
}

// Where two NaNs meet in a sum or a product the compiler chooses which one's sign survives; no
// value of a term can depend on that sign, so every NaN counts as one.
bool Same(double a, double b)
{
    if (std::isnan(a) || std::isnan(b)) {
        return std::isnan(a) && std::isnan(b);
    }
    return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 16) {
        return 0;
    }
    double x{};
    double k{};
    std::memcpy(&x, data, 8);
    std::memcpy(&k, data + 8, 8);
    const std::string term(reinterpret_cast<const char*>(data + 16), size - 16);

    const CCompiledTerm compiled{term};
    // The given x, and the points a drawing or a scan would meet around it.
    const std::array<double, 4> xs = {x, -x, x + 0.001, 0.0};
    std::array<double, 4> values{};
    std::array<std::uint8_t, 4> errors{};
    g_syntaxError = 0;
    g_mathError = 0;
    compiled.EvaluateBatch(xs, k, values, errors);
    Check(g_syntaxError == 0 && g_mathError == 0);

    for (std::size_t i = 0; i < xs.size(); ++i) {
        CTermInterpreter graph;
        graph.SetX(xs[i]);
        graph.SetK(k);
        const double want = graph.Interpret(term);
        const int wantSyntax = g_syntaxError;
        const int wantMath = g_mathError;
        g_syntaxError = 0;
        g_mathError = 0;
        const double got = compiled.Evaluate(xs[i], k);
        Check(Same(want, got));
        Check(wantSyntax == g_syntaxError && wantMath == g_mathError);
        Check(compiled.HasSyntaxError() == (wantSyntax != 0));
        Check(Same(want, values[i]) && errors[i] == wantMath);
    }
    return 0;
}
