#pragma once

#include <cmath>
#include <cstdint>

// How a curve, a vertical line or a point cross is stroked: a width in millimetres on paper and a
// dash pattern. The default is what every line of a graph has always been: solid, 0.25 mm, which
// is one pixel on a screen of 96 dots per inch.
enum class ELineStyle : std::uint8_t
{
    Solid = 0,      // "durchgezogen"
    Dashed = 1,     // "gestrichelt"
    Dotted = 2,     // "gepunktet"
    DashDotted = 3, // "strichpunktiert"
};

inline constexpr int kLineStyleCount = 4;
inline constexpr double kMinLineWidth = 0.1;
inline constexpr double kMaxLineWidth = 2.0;
inline constexpr double kDefaultLineWidth = 0.25;

// A style code from a file that this program does not know is drawn solid.
inline ELineStyle LineStyleOfCode(std::uint32_t code)
{
    return code < static_cast<std::uint32_t>(kLineStyleCount) ? static_cast<ELineStyle>(code)
                                                              : ELineStyle::Solid;
}

// Widths are kept in whole micrometres inside 0.1..2 mm, so that the file's micrometres give back
// the very same number; what is no number at all is the default.
inline double NormaliseLineWidth(double millimetres)
{
    if (!std::isfinite(millimetres)) {
        return kDefaultLineWidth;
    }
    const double bounded = millimetres < kMinLineWidth   ? kMinLineWidth
                           : millimetres > kMaxLineWidth ? kMaxLineWidth
                                                         : millimetres;
    return std::round(bounded * 1000.0) / 1000.0;
}

// The stroke of one function or object, as its record holds it.
struct SLineStroke
{
    double width{kDefaultLineWidth};
    ELineStyle style{ELineStyle::Solid};

    bool IsDefault() const { return width == kDefaultLineWidth && style == ELineStyle::Solid; }
    bool operator==(const SLineStroke&) const = default;
};
