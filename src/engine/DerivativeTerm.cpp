#include "engine/DerivativeTerm.h"

#include "engine/CompiledTerm.h"
#include "engine/MathFunctions.h"

#include <cmath>
#include <cstdio>
#include <vector>

namespace {

using EOp = CCompiledTerm::EOp;

// A constant as the term language reads it: plain decimals, the sign in front of a bracket.
std::string NumberTerm(double value)
{
    char text[64];
    if (value == std::trunc(value) && std::abs(value) < 1e15) {
        std::snprintf(text, sizeof text, "%.0f", std::abs(value));
    } else {
        // Seventeen significant digits give the double back; no exponent, which terms do not read.
        std::snprintf(text, sizeof text, "%.17f", std::abs(value));
        std::string trimmed{text};
        while (trimmed.size() > 1 && trimmed.back() == '0') {
            trimmed.pop_back();
        }
        std::snprintf(text, sizeof text, "%s", trimmed.c_str());
    }
    return value < 0 || std::signbit(value) ? "(-" + std::string{text} + ")" : std::string{text};
}

// Every part goes into brackets, so that no rule of precedence of the term language matters.
std::string B(const std::string& part)
{
    return "(" + part + ")";
}

bool IsZero(const std::string& part)
{
    return part == "0";
}

std::string Sum(const std::string& a, const std::string& b)
{
    if (IsZero(a)) {
        return b;
    }
    if (IsZero(b)) {
        return a;
    }
    return B(a) + "+" + B(b);
}

std::string Difference(const std::string& a, const std::string& b)
{
    if (IsZero(b)) {
        return a;
    }
    if (IsZero(a)) {
        return "-" + B(b);
    }
    return B(a) + "-" + B(b);
}

std::string Product(const std::string& a, const std::string& b)
{
    if (IsZero(a) || IsZero(b)) {
        return "0";
    }
    if (a == "1") {
        return b;
    }
    if (b == "1") {
        return a;
    }
    return B(a) + "*" + B(b);
}

} // namespace

std::optional<std::string> DerivativeTerm(std::string_view term)
{
    const CCompiledTerm compiled{term};
    if (compiled.HasSyntaxError()) {
        return std::nullopt;
    }
    const std::size_t count = static_cast<std::size_t>(compiled.RegisterCount());
    // The value of each register as a term, and its derivative ("0" where it does not depend on x).
    std::vector<std::string> value(count, "0");
    std::vector<std::string> slope(count, "0");
    value[CCompiledTerm::kXRegister] = "x";
    slope[CCompiledTerm::kXRegister] = "1";
    value[CCompiledTerm::kKRegister] = "k";
    const std::span<const double> constants = compiled.Constants();
    for (std::size_t i = 0; i < constants.size() && 2 + i < count; ++i) {
        value[2 + i] = NumberTerm(constants[i]);
    }
    for (const CCompiledTerm::SInstruction& step : compiled.Code()) {
        const std::size_t d = static_cast<std::size_t>(step.dst);
        const std::size_t a = static_cast<std::size_t>(step.a);
        const std::size_t b = static_cast<std::size_t>(step.b);
        const std::string& u = value[a];
        const std::string& du = slope[a];
        std::string v;
        std::string dv;
        switch (step.op) {
        case EOp::Add:
            v = B(u) + "+" + B(value[b]);
            dv = Sum(du, slope[b]);
            break;
        case EOp::Sub:
            v = B(u) + "-" + B(value[b]);
            dv = Difference(du, slope[b]);
            break;
        case EOp::Mul:
            v = B(u) + "*" + B(value[b]);
            dv = Sum(Product(du, value[b]), Product(u, slope[b]));
            break;
        case EOp::Div:
            v = B(u) + "/" + B(value[b]);
            if (IsZero(slope[b])) {
                dv = IsZero(du) ? "0" : B(du) + "/" + B(value[b]);
            } else {
                dv = B(Difference(Product(du, value[b]), Product(u, slope[b]))) + "/" + B(value[b]) + "^2";
            }
            break;
        case EOp::Pow:
            v = B(u) + "^" + B(value[b]);
            if (IsZero(slope[b])) {
                // The power rule keeps negative bases with whole exponents defined, as u^b is.
                dv = Product(Product(value[b], B(u) + "^" + B(B(value[b]) + "-1")), du);
            } else {
                const std::string inner = Product(value[b], du);
                dv = Product(B(v), Sum(Product(slope[b], "ln" + B(u)), IsZero(inner) ? "0" : B(inner) + "/" + B(u)));
            }
            break;
        case EOp::Square:
            v = B(u) + "^2";
            dv = Product(Product("2", u), du);
            break;
        case EOp::Cube:
            v = B(u) + "^3";
            dv = Product(Product("3", B(u) + "^2"), du);
            break;
        case EOp::Neg:
            v = "-" + B(u);
            dv = IsZero(du) ? "0" : "-" + B(du);
            break;
        case EOp::Call: {
            const std::string name{g_functionTable[step.function].name};
            v = (name == "(" ? "" : name.substr(0, name.size() - 1)) + B(u);
            if (name == "(") {
                dv = du;
            } else if (name == "sin(") {
                dv = Product("cos" + B(u), du);
            } else if (name == "cos(") {
                dv = Product("-sin" + B(u), du);
            } else if (name == "sqrt(") {
                dv = IsZero(du) ? "0" : B(du) + "/(2*sqrt" + B(u) + ")";
            } else if (name == "tan(") {
                dv = IsZero(du) ? "0" : B(du) + "/cos" + B(u) + "^2";
            } else if (name == "exp(") {
                dv = Product("exp" + B(u), du);
            } else if (name == "ln(") {
                dv = IsZero(du) ? "0" : B(du) + "/" + B(u);
            } else if (name == "log(") {
                dv = IsZero(du) ? "0" : B(du) + "/(" + B(u) + "*ln(10))";
            } else if (name == "acos(") {
                dv = IsZero(du) ? "0" : "-" + B(du) + "/sqrt(1-" + B(u) + "^2)";
            } else if (name == "asin(") {
                dv = IsZero(du) ? "0" : B(du) + "/sqrt(1-" + B(u) + "^2)";
            } else if (name == "atan(") {
                dv = IsZero(du) ? "0" : B(du) + "/(1+" + B(u) + "^2)";
            } else if (name == "abs(") {
                dv = Product("sgn" + B(u), du);
            } else if (name == "sinh(") {
                dv = Product("cosh" + B(u), du);
            } else if (name == "cosh(") {
                dv = Product("sinh" + B(u), du);
            } else if (name == "tanh(") {
                dv = IsZero(du) ? "0" : B(du) + "/cosh" + B(u) + "^2";
            } else if (name == "ceil(" || name == "floor(" || name == "sgn(" || name == "int(") {
                // Steps: level wherever they are continuous.
                dv = "0";
            } else if (IsZero(du)) {
                dv = "0";
            } else {
                return std::nullopt;
            }
            break;
        }
        }
        value[d] = std::move(v);
        slope[d] = std::move(dv);
    }
    const std::size_t result = static_cast<std::size_t>(compiled.ResultRegister());
    if (result >= count) {
        return std::nullopt;
    }
    return slope[result];
}
