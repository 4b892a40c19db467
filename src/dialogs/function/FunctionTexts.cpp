#include "dialogs/function/FunctionTexts.h"

#include "engine/CompiledTerm.h"
#include "engine/NumberText.h"
#include "engine/TermDiagnosis.h"
#include "engine/TextEncoding.h"

QString FromRecordText(const std::string& bytes)
{
    return QString::fromStdString(Cp1252ToUtf8(bytes));
}

std::string ToRecordText(const QString& text)
{
    return Utf8ToCp1252(text.toStdString());
}

bool IsUsableTerm(const QString& term)
{
    return !term.isEmpty() && !CCompiledTerm{ToRecordText(term)}.HasSyntaxError();
}

QString FunctionListEntry(const QString& head, const QString& term)
{
    return QStringLiteral("%1(x)=%2").arg(head, term);
}

QString TermFaultNote(const std::string& term)
{
    const std::string fault = TermFaultText(term);
    if (fault.empty()) {
        return {};
    }
    return QStringLiteral(
               "Der Term ist fehlerhaft: %1. Gezeichnet und untersucht wird er so, wie er dasteht.")
        .arg(QString::fromStdString(fault));
}

QString MarkedFunctionListEntry(const std::string& head, const std::string& term)
{
    const QString entry = FunctionListEntry(FromRecordText(head), FromRecordText(term));
    return TermFaultNote(term).isEmpty() ? entry : QStringLiteral("\u26A0 %1").arg(entry);
}

QString AddFunctionCaption()
{
    return QStringLiteral("Funktion hinzufügen");
}

QString FunctionCaption(const QString& head, const QString& term)
{
    return QStringLiteral("Eigenschaften von %1(x)=%2").arg(head, term);
}

QString DeleteFunctionQuestion(const QString& head, const QString& term)
{
    return QStringLiteral("Sind Sie sicher, daß Sie die Funktion %1(x)=%2 löschen wollen?").arg(head, term);
}

QString DerivedCurveListEntry(const CFunctionList& functions, const CDerivedCurve& curve)
{
    const std::string source = FunctionName(functions, curve.GetSource());
    std::string what;
    switch (curve.GetKind()) {
    case EDerivedKind::FirstDerivative:
        what = "Ableitung von " + source;
        break;
    case EDerivedKind::SecondDerivative:
        what = "zweite Ableitung von " + source;
        break;
    case EDerivedKind::Antiderivative:
        what = "Stammfunktion von " + source + ", " + DerivedCurveName(functions, curve) + "(" +
               FormatNumber(curve.GetX0()) + ") = " + FormatNumber(curve.GetY0());
        break;
    case EDerivedKind::LocusOfExtrema:
        what = "der Extrema";
        break;
    case EDerivedKind::LocusOfInflections:
        what = "der Wendepunkte";
        break;
    }
    return FromRecordText(DerivedCurveLegend(functions, curve) + "   (" + what + ")");
}
