#include "analysis/ResultText.h"

#include "analysis/TermText.h"
#include "engine/TextEncoding.h"
#include "engine/NumberText.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <type_traits>

namespace {

std::string Replace(std::string text, const std::string& value)
{
    text.replace(text.find("%s"), 2, value);
    return text;
}

// Turns the values of one result into its lines; every line of a family result starts with its k.
class CLineWriter
{
public:
    CLineWriter(const SAnalysisResult& result, EDecimalSeparator separator)
        : m_result{result}, m_separator{separator},
          m_prefix{result.k ? "k = " + Text(*result.k) + "; " : std::string{}}
    {
    }

    std::string Text(double value) const { return FormatNumber(value, m_result.digits, m_separator); }

    // A value that rounds to zero from below is still zero to the reader: the tangent and the
    // integral never say "-0" (the scans' lines stay as they always were).
    std::string Unsigned0(double value) const { return Text(WithoutNegativeZero(value, m_result.digits)); }

    void Line(const std::string& text) { m_lines.push_back(m_prefix + text); }

    std::vector<std::string> Take() { return std::move(m_lines); }

    void Write(const SResultMessage& message)
    {
        const auto number = [&](std::size_t i) {
            return i < message.numbers.size() ? message.numbers[i] : 0.0;
        };
        switch (message.id) {
        case EResultMessage::GroupEnd:
            m_lines.emplace_back();
            break;
        case EResultMessage::NoZeros:
            Line(kNoZerosText);
            break;
        case EResultMessage::NoExtrema:
            Line(kNoExtremaText);
            break;
        case EResultMessage::NoInflections:
            Line(kNoInflectionsText);
            break;
        case EResultMessage::NoAsymptotes:
            Line("Es wurden keine Asymptoten gefunden.");
            break;
        case EResultMessage::NoIntersections:
            Line(kNoIntersectionsText);
            break;
        case EResultMessage::EqualFunctions:
            Line(kEqualFunctionsText);
            break;
        case EResultMessage::NotDefinedAt:
            Line(Replace(kTangentNotDefinedText, Text(number(0))));
            break;
        case EResultMessage::NotDifferentiableAt:
            Line(Replace(kTangentNotDifferentiableText, Text(number(0))));
            break;
        case EResultMessage::TangentOverflow:
            Line(Utf8ToCp1252(Replace(kTangentOverflowText, Text(number(0)))));
            break;
        case EResultMessage::IntegralTooLarge:
            Line(Utf8ToCp1252(Replace(Replace(kIntegralTooLargeText, Text(number(0))), Text(number(1)))));
            break;
        case EResultMessage::IntegralNotComputable:
            Line(
                Utf8ToCp1252(Replace(Replace(kIntegralNotComputableText, Text(number(0))), Text(number(1)))));
            break;
        case EResultMessage::FamilyCut:
            Line("Nur die ersten " + std::to_string(static_cast<long long>(number(0))) +
                 " Werte von k wurden untersucht, bis k = " + Text(number(1)) + ".");
            break;
        case EResultMessage::ZeroStretch:
        case EResultMessage::AntiderivativeZeroStretch:
            Line(Utf8ToCp1252(message.id == EResultMessage::ZeroStretch ? "f ist 0 für alle x in "
                                                                        : "F ist 0 für alle x in ") +
                 (number(2) != 0 ? "[ " : "] ") + Text(number(0)) + "; " + Text(number(1)) +
                 (number(3) != 0 ? " ]" : " ["));
            break;
        case EResultMessage::TooDense:
            Line(Utf8ToCp1252(kTooDenseText));
            break;
        case EResultMessage::DomainTooFine:
            Line(Utf8ToCp1252(kDomainTooFineText));
            break;
        case EResultMessage::TooManyRasterPoints:
            Line(Utf8ToCp1252("Der Bereich ist für die Rasterrechnung zu weit: sie bräuchte mehr als ") +
                 std::to_string(static_cast<long long>(number(0))) +
                 Utf8ToCp1252(" Rechenschritte. Wählen Sie einen kleineren Bereich oder Genaue Werte."));
            break;
        case EResultMessage::TooManyRows:
            Line(Utf8ToCp1252("Die Wertetabelle hätte mehr als ") + std::to_string(static_cast<long long>(number(0))) +
                 Utf8ToCp1252(" Zeilen; wählen Sie einen kleineren Bereich oder eine größere Schrittweite der x-Achse."));
            break;
        case EResultMessage::LocusNeedsFamily:
            Line(Utf8ToCp1252(kLocusNeedsFamilyText));
            break;
        case EResultMessage::LocusUnresolved:
            Line(Utf8ToCp1252("Für " + std::to_string(static_cast<long long>(number(0))) +
                              " Werte von k ließen sich die Punkte nicht bestimmen; dort enden die Zweige."));
            break;
        case EResultMessage::AntiderivativeOnlyOn:
            Line(Utf8ToCp1252("F ist nur für x in ") + (number(2) != 0 ? "[ " : "] ") + Text(number(0)) +
                 "; " + Text(number(1)) + (number(3) != 0 ? " ]" : " [") +
                 Utf8ToCp1252(" definiert, dem Stück des Definitionsbereichs von f um x0."));
            break;
        case EResultMessage::AntiderivativeUndefined:
            Line(Utf8ToCp1252("F ist nicht definiert: f ist an der Stelle x0 = " + Text(number(0)) +
                              " nicht definiert."));
            break;
        case EResultMessage::NotForAntiderivative:
            Line(Utf8ToCp1252("Für eine Stammfunktion ist diese Berechnung nicht verfügbar."));
            break;
        }
    }

    void Write(const SResultPoint& point)
    {
        Line(point.letter + (" ( " + Text(point.x) + " | " + Text(point.y) + " )") +
             (point.touching ? Utf8ToCp1252(" berührend") : std::string{}) +
             ExactPoint(std::string(1, point.letter), Text(point.x), Text(point.y), point.exact));
    }

    void Write(const SResultInterval& interval)
    {
        if (interval.curvature) {
            Line(Interval(interval) + (interval.constant ? Utf8ToCp1252(" nicht gekrümmt")
                                       : interval.rising ? Utf8ToCp1252(" linksgekrümmt")
                                                         : Utf8ToCp1252(" rechtsgekrümmt")));
            return;
        }
        Line(Interval(interval) +
             (interval.constant ? std::string{" konstant"}
                                : std::string{" monoton "} + (interval.rising ? kRisingText : kFallingText)));
    }

    void Write(const SResultSketchHead& head)
    {
        Line("Kurvendiskussion von " + WithoutSigns(head.head) + "(x) = " + WithoutSigns(head.term) + " auf [ " +
             Text(head.from) + "; " + Text(head.to) + " ]");
    }

    void Write(const SResultSketchBlock& block)
    {
        switch (block.block) {
        case ESketchBlock::Zeros:
            Line("Nullstellen:");
            break;
        case ESketchBlock::Extrema:
            Line("Extrempunkte:");
            break;
        case ESketchBlock::Inflections:
            Line("Wendepunkte:");
            break;
        case ESketchBlock::Behaviour:
            Line("Verhalten im Unendlichen und an den Polstellen:");
            break;
        case ESketchBlock::Asymptotes:
            Line("Asymptoten:");
            break;
        case ESketchBlock::Monotony:
            Line("Monotonie:");
            break;
        case ESketchBlock::Curvature:
            Line(Utf8ToCp1252("Krümmung:"));
            break;
        }
    }

    void Write(const SResultDomain& domain)
    {
        if (domain.pieces.empty()) {
            Line("Definitionsbereich: f ist auf dem Bereich nirgends definiert");
            return;
        }
        std::string line = "Definitionsbereich: ";
        for (std::size_t i = 0; i < domain.pieces.size(); ++i) {
            line += (i > 0 ? std::string{" "} + kUnionSign + " " : std::string{}) + Interval(domain.pieces[i]);
        }
        Line(line);
    }

    void Write(const SResultPlace& place)
    {
        switch (place.kind) {
        case EPlaceKind::Pole:
            Line("Polstelle: x = " + Text(place.x) +
                 (place.signChange ? " (mit Vorzeichenwechsel)" : " (ohne Vorzeichenwechsel)"));
            break;
        case EPlaceKind::Gap:
            Line(Utf8ToCp1252("Hebbare Lücke: ( ") + Text(place.x) + " | " + Text(place.y) + " )" +
                 ExactPoint("", Text(place.x), Text(place.y), place.exact));
            break;
        case EPlaceKind::Jump:
            Line("Sprungstelle: x = " + Text(place.x));
            break;
        case EPlaceKind::Edge:
            Line("Rand des Definitionsbereichs: x = " + Text(place.x));
            break;
        case EPlaceKind::NoLimit:
            Line("Stelle ohne Grenzwert: x = " + Text(place.x));
            break;
        }
    }

    void Write(const SResultSymmetry& symmetry)
    {
        const char* text = symmetry.symmetry == ESymmetry::Even  ? "achsensymmetrisch zur y-Achse"
                           : symmetry.symmetry == ESymmetry::Odd ? "punktsymmetrisch zum Ursprung"
                                                                 : "keine Symmetrie zur y-Achse oder zum Ursprung";
        Line(std::string{"Symmetrie: "} + text + Numerical(symmetry.numerical));
    }

    void Write(const SResultYIntercept& intercept)
    {
        Line(intercept.y ? "y-Achsenabschnitt: Sy ( 0 | " + Unsigned0(*intercept.y) + " )" +
                               ExactPoint("Sy", "0", Unsigned0(*intercept.y),
                                          intercept.exactY ? std::optional{SExactPoint{"0", *intercept.exactY}}
                                                           : std::nullopt)
                         : std::string{"y-Achsenabschnitt: keiner (f ist bei x = 0 nicht definiert)"});
    }

    void Write(const SResultLimit& limit)
    {
        std::string line = Utf8ToCp1252("Für x ") + kArrowSign + " ";
        if (limit.toward != 0) {
            line += std::string{limit.toward > 0 ? "+" : "-"} + kInfinitySign;
        } else {
            line += Text(limit.pole) + (limit.side < 0 ? " von links" : " von rechts");
        }
        line += ": ";
        switch (limit.limit) {
        case ELimit::PlusInfinity:
            line += std::string{"f(x) "} + kArrowSign + " +" + kInfinitySign;
            break;
        case ELimit::MinusInfinity:
            line += std::string{"f(x) "} + kArrowSign + " -" + kInfinitySign;
            break;
        case ELimit::Value:
            line += std::string{"f(x) "} + kArrowSign + " " + Unsigned0(limit.value) +
                    ExactNumber(Unsigned0(limit.value), limit.exactValue);
            break;
        case ELimit::None:
            line += "f(x) hat keinen Grenzwert";
            break;
        case ELimit::Undefined:
            line += "f ist dort nicht definiert";
            break;
        case ELimit::Unknown:
            line += Utf8ToCp1252("der Grenzwert lässt sich nicht bestimmen");
            break;
        }
        Line(line + Numerical(limit.numerical));
    }

    void Write(const SResultAsymptote& asymptote)
    {
        const auto number = [&](double value) { return TermNumber(value, m_result.digits); };
        std::string line;
        switch (asymptote.kind) {
        case EAsymptote::Vertical:
            line = "Senkrechte Asymptote: x = " + number(asymptote.position) +
                   ExactNumber(number(asymptote.position), asymptote.exactPosition);
            break;
        case EAsymptote::Horizontal:
            line = "Waagerechte Asymptote: y = " + number(asymptote.intercept) +
                   ExactNumber(number(asymptote.intercept), asymptote.exactIntercept);
            break;
        case EAsymptote::Oblique:
        {
            const std::string term = ShortLineTerm(number(asymptote.slope), number(asymptote.intercept));
            line = "Schiefe Asymptote: y = " + term;
            if (asymptote.exactSlope && asymptote.exactIntercept) {
                line += ExactNumber(term, ShortLineTerm(*asymptote.exactSlope, *asymptote.exactIntercept));
            }
        }
            break;
        }
        if (asymptote.side != 0) {
            line += Utf8ToCp1252(" für x ") + kArrowSign + (asymptote.side > 0 ? " +" : " -") + kInfinitySign;
        }
        Line(line + Numerical(asymptote.numerical));
    }

    void Write(const SResultValueRange& range)
    {
        std::string line = "Wertebereich auf [ " + Text(range.rangeFrom) + "; " + Text(range.rangeTo) + " ]: ";
        if (range.empty) {
            Line(line + "leer");
            return;
        }
        const auto end = [&](double value) {
            return std::isinf(value) ? std::string{value > 0 ? "+" : "-"} + kInfinitySign : Unsigned0(value);
        };
        Line(line + (range.fromIncluded ? "[ " : "] ") + end(range.from) + "; " + end(range.to) +
             (range.toIncluded ? " ]" : " [") + Numerical(range.numerical));
    }

    void Write(const SResultTableHeader& header)
    {
        const std::string& f = header.name;
        m_lines.push_back("x\t" + f + "(x)\t" + f + "'(x)\t" + f + "''(x)" + (header.family ? "\tk" : ""));
        m_lines.emplace_back();
    }

    void Write(const SResultTableRow& row)
    {
        std::string line = Text(row.x) + '\t' + Text(row.y) + '\t' + Text(row.d1) + '\t' + Text(row.d2);
        if (m_result.k) {
            line += '\t' + Text(*m_result.k);
        }
        m_lines.push_back(std::move(line));
    }

    void Write(const SResultTangent& tangent)
    {
        const auto number = [&](double value) { return TermNumber(value, m_result.digits); };
        Line("P ( " + Unsigned0(tangent.x0) + " | " + Unsigned0(tangent.y0) + " )");
        Line("Steigung: " + Unsigned0(tangent.slope));
        Line("Tangente: y = " + LineTerm(number(tangent.tangent.slope), number(tangent.tangent.intercept)));
        if (tangent.normal) {
            Line("Normale: y = " +
                 LineTerm(number(tangent.normal->slope), number(tangent.normal->intercept)));
        } else {
            Line("Normale: x = " + number(tangent.x0));
        }
    }

    void Write(const SResultIntegral& integral)
    {
        if (integral.undefinedAt) {
            std::string line = Utf8ToCp1252(
                "Das Integral existiert auf [ %s; %s ] nicht: f ist bei x ~ %s nicht definiert.");
            line = Replace(line, Unsigned0(std::min(integral.from, integral.to)));
            line = Replace(line, Unsigned0(std::max(integral.from, integral.to)));
            Line(Replace(line, Unsigned0(*integral.undefinedAt)));
            return;
        }
        Line("Integral von " + Unsigned0(integral.from) + " bis " + Unsigned0(integral.to) + ": " +
             Unsigned0(integral.value));
        Line(Utf8ToCp1252("Fläche: ") + Unsigned0(integral.area));
        for (std::size_t i = 0; i < integral.pieces.size() && i + 1 < integral.borders.size(); ++i) {
            Line("[ " + Unsigned0(integral.borders[i]) + "; " + Unsigned0(integral.borders[i + 1]) +
                 " ]: " + Unsigned0(integral.pieces[i]));
        }
        // Only where the quadrature missed its aim is the accuracy worth a line.
        if (integral.error > kIntegralWarnTolerance * std::max(integral.area, 1e-300) && integral.area > 0) {
            Line("Genauigkeit etwa " + WithSeparator(OneDigitNumber(integral.error), m_separator));
        }
    }

    void Write(const SResultLocusBranch& branch)
    {
        Line("Zweig " + std::to_string(branch.number) + ": " + branch.kind + Utf8ToCp1252(" für k von ") +
             Text(branch.kFrom) + " bis " + Text(branch.kTo) + " (" + std::to_string(branch.points) +
             (branch.points == 1 ? " Punkt)" : " Punkte)"));
    }

    // The terms keep the point whatever the separator, so that they read back.
    void Write(const SResultLocusFit& result)
    {
        const SLocusFit& fit = result.fit;
        switch (fit.shape) {
        case ELocusShape::Polynomial:
            Line("Ortskurve: y = " + fit.term);
            break;
        case ELocusShape::Vertical:
            Line("Ortskurve: x = " + fit.term);
            break;
        case ELocusShape::Point:
            Line("Ortskurve: nur der Punkt ( " + Text(fit.x) + " | " + Text(fit.y) + " )");
            break;
        case ELocusShape::NoPolynomial:
            Line(kLocusNoPolynomialText);
            break;
        case ELocusShape::TooFewPoints:
            Line(Utf8ToCp1252(kLocusTooFewPointsText));
            break;
        }
    }

private:
    std::string Interval(const SResultInterval& interval) const
    {
        return (interval.fromIncluded ? "[ " : "] ") + Text(interval.from) + "; " + Text(interval.to) +
               (interval.toIncluded ? " ]" : " [");
    }

    static std::string Numerical(bool numerical) { return numerical ? " (numerisch)" : ""; }

    // "x+1" rather than "1*x+1": the line is read by people first.
    static std::string ShortLineTerm(const std::string& slope, const std::string& intercept)
    {
        std::string term = LineTerm(slope, intercept);
        if (term.starts_with("1*x")) {
            term.erase(0, 2);
        } else if (term.starts_with("-1*x")) {
            term.erase(1, 2);
        }
        return term;
    }

    // " = 1/2" after a number shown as "0.5"; nothing where the exact form reads as the number does.
    static std::string ExactNumber(const std::string& shown, const std::optional<std::string>& exact)
    {
        return exact && *exact != shown ? " = " + *exact : std::string{};
    }

    // " = H ( -2/3*sqrt(3) | 8/9*sqrt(3) )" after "H ( -1.1547 | 1.5396 )".
    static std::string ExactPoint(const std::string& name, const std::string& x, const std::string& y,
                                  const std::optional<SExactPoint>& exact)
    {
        if (!exact || (exact->x == x && exact->y == y)) {
            return {};
        }
        return " = " + name + (name.empty() ? "( " : " ( ") + exact->x + " | " + exact->y + " )";
    }

    // A name or term from a record, with any byte that a line reserves for a sign made a '?', so
    // that it cannot be read as one.
    static std::string WithoutSigns(std::string text)
    {
        for (char& c : text) {
            if (c == kInfinitySign || c == kArrowSign || c == kUnionSign) {
                c = '?';
            }
        }
        return text;
    }

    const SAnalysisResult& m_result;
    EDecimalSeparator m_separator;
    std::string m_prefix;
    std::vector<std::string> m_lines;
};

} // namespace

std::vector<std::string> ResultLines(const SAnalysisResult& result, EDecimalSeparator separator)
{
    CLineWriter writer{result, separator};
    std::visit([&](const auto& value) { writer.Write(value); }, result.value);
    return writer.Take();
}

std::string LineToUtf8(std::string_view line)
{
    std::string out;
    std::size_t start = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        const char* sign = c == kInfinitySign ? "\u221e" : c == kArrowSign ? "\u2192" : c == kUnionSign ? "\u222a" : nullptr;
        if (sign != nullptr) {
            out += Cp1252ToUtf8(line.substr(start, i - start));
            out += sign;
            start = i + 1;
        }
    }
    return out + Cp1252ToUtf8(line.substr(start));
}

double WithoutNegativeZero(double value, int digits)
{
    return FormatNumber(value, digits) == "-0" ? 0.0 : value;
}

std::string OneDigitNumber(double value)
{
    if (!std::isfinite(value)) {
        return FormatNumber(value);
    }
    // The general format with one digit, as printf's "%.1g" writes it in the C locale.
    std::array<char, 64> buffer{};
    const auto result =
        std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::general, 1);
    return std::string(buffer.data(), result.ptr);
}
