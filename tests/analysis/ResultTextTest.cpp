#include "analysis/ResultText.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <string>
#include <vector>

namespace {

struct SLinesCase
{
    const char* name;
    SAnalysisResult result;
    std::vector<std::string> lines;
};

SAnalysisResult Of(auto value, std::optional<double> k = std::nullopt, int digits = 5)
{
    return SAnalysisResult{std::move(value), k, digits};
}

// The lines below are those the program printed for these results before they were values, taken
// from its output; the accuracy lines are what printf's "%.1g" writes in the C locale.
std::vector<SLinesCase> Cases()
{
    const double r3 = std::sqrt(3.0);
    const std::string area = "Fl\xe4"
                             "che: ";
    return {
        {"TableHeaderWithK", Of(SResultTableHeader{true}), {"x\tf(x)\tf'(x)\tf''(x)\tk", ""}},
        {"TableHeaderOfANamedFunction", Of(SResultTableHeader{false, "Kosten"}),
         {"x\tKosten(x)\tKosten'(x)\tKosten''(x)", ""}},
        {"TableRowWithK",
         Of(SResultTableRow{-5, 0.958924274663138, 0.283662185463226, -0.958924274663138}, 1.0),
         {"-5\t0.95892\t0.28366\t-0.95892\t1"}},
        {"FamilyPointAtTwelveDigits",
         Of(SResultPoint{'T', 1, 0, -0.5, false}, 0.5, 12),
         {"k = 0.5; T ( 0 | -0.5 )"}},
        {"NegativeZero", Of(SResultPoint{'N', 1, -1, -0.0, false}, 1.0), {"k = 1; N ( -1 | -0 )"}},
        {"Intersection",
         Of(SResultPoint{'S', 1, -1.3027756377319946, 1.6972243622680054, false}),
         {"S ( -1.30278 | 1.69722 )"}},
        {"Touching", Of(SResultPoint{'S', 2, 0, 0, true}), {"S ( 0 | 0 ) ber\xfchrend"}},
        {"Interval",
         Of(SResultInterval{-5, 5, true, true, false}, -1.0),
         {"k = -1; [ -5; 5 ] monoton fallend"}},
        {"RisingInterval",
         Of(SResultInterval{-1, 1.0000049, true, true, true}),
         {"[ -1; 1 ] monoton steigend"}},
        {"LevelTangent",
         Of(SResultTangent{0, 0, 0, {0, 0}, std::nullopt}),
         {"P ( 0 | 0 )", "Steigung: 0", "Tangente: y = 0", "Normale: x = 0"}},
        {"TangentAtTwelveDigits",
         Of(SResultTangent{0.3,
                           -0.873,
                           -2.73,
                           {-2.73, -0.873 + 2.73 * 0.3},
                           SResultLine{1 / 2.73, -0.873 + 0.3 / -2.73}},
            std::nullopt, 12),
         {"P ( 0.3 | -0.873 )", "Steigung: -2.73", "Tangente: y = -2.73*x-0.054",
          "Normale: y = 0.3663003663*x-0.98289010989"}},
        {"HugeTangent",
         Of(SResultTangent{1, 1e60, 1e60, {1e60, 0}, SResultLine{-1e-60, 1e60}}),
         {"P ( 1 | 1e+60 )", "Steigung: 1e+60", "Tangente: y = (1*10^60)*x", "Normale: y = (1*10^60)"}},
        {"NotDifferentiable",
         Of(SResultMessage{EResultMessage::NotDifferentiableAt, {0}}),
         {"f ist an der Stelle x0 = 0 nicht differenzierbar."}},
        {"NotDefined",
         Of(SResultMessage{EResultMessage::NotDefinedAt, {-1}}, 2.0),
         {"k = 2; f ist an der Stelle x0 = -1 nicht definiert."}},
        {"IntegralInPieces",
         Of(SResultIntegral{-5, 5, std::nullopt, 0, 246.5, 0, {-5, -r3, 0, r3, 5}, {-121, 2.25, -2.25, 121}}),
         {"Integral von -5 bis 5: 0", area + "246.5", "[ -5; -1.73205 ]: -121", "[ -1.73205; 0 ]: 2.25",
          "[ 0; 1.73205 ]: -2.25", "[ 1.73205; 5 ]: 121"}},
        {"BackwardsIntegral",
         Of(SResultIntegral{1, -2, std::nullopt, -0.54355, 0.62416, 0, {1, 0, -2}, {0.0403, -0.58385}}, 1.0),
         {"k = 1; Integral von 1 bis -2: -0.54355", "k = 1; " + area + "0.62416", "k = 1; [ 1; 0 ]: 0.0403",
          "k = 1; [ 0; -2 ]: -0.58385"}},
        {"NoIntegral",
         Of(SResultIntegral{1, -2, 1.0, 0, 0, 0, {}, {}}),
         {"Das Integral existiert auf [ -2; 1 ] nicht: f ist bei x ~ 1 nicht definiert."}},
        {"RoughIntegral",
         Of(SResultIntegral{0, 1, std::nullopt, 10, 10, 0.046, {0, 1}, {10}}),
         {"Integral von 0 bis 1: 10", area + "10", "[ 0; 1 ]: 10", "Genauigkeit etwa 0.05"}},
        {"SlightlyRoughIntegral",
         Of(SResultIntegral{0, 1, std::nullopt, -2, 2, 3.2e-8, {0, 1}, {-2}}),
         {"Integral von 0 bis 1: -2", area + "2", "[ 0; 1 ]: -2", "Genauigkeit etwa 3e-08"}},
        {"AccurateEnough",
         Of(SResultIntegral{0, 1, std::nullopt, 2, 2, 1.9e-8, {0, 1}, {2}}),
         {"Integral von 0 bis 1: 2", area + "2", "[ 0; 1 ]: 2"}},
        {"FamilyCut",
         Of(SResultMessage{EResultMessage::FamilyCut, {1000, 999.5}}, std::nullopt, 2),
         {"Nur die ersten 1000 Werte von k wurden untersucht, bis k = 999.5."}},
        {"Equal",
         Of(SResultMessage{EResultMessage::EqualFunctions, {}}, 1.0),
         {"k = 1; Die Funktionen sind gleich."}},
    };
}

// The same bytes whatever the locale: a German one writes "0,05" through printf.
TEST(ResultText, EveryKindGivesItsLinesInAnyLocale)
{
    const std::string saved = std::setlocale(LC_ALL, nullptr);
    for (const char* locale : {"C", "de_DE.UTF-8"}) {
        ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale;
        for (const SLinesCase& c : Cases()) {
            EXPECT_EQ(ResultLines(c.result), c.lines) << c.name << " in " << locale;
        }
    }
    std::setlocale(LC_ALL, saved.c_str());
}

} // namespace
