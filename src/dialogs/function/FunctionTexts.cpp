#include "dialogs/function/FunctionTexts.h"

#include "engine/TextEncoding.h"
#include "engine/CompiledTerm.h"
#include "engine/TermDiagnosis.h"

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

QString FunctionListEntry(const QString& term)
{
    return QStringLiteral("f(x)=%1").arg(term);
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

QString MarkedFunctionListEntry(const std::string& term)
{
    const QString entry = FunctionListEntry(FromRecordText(term));
    return TermFaultNote(term).isEmpty() ? entry : QStringLiteral("\u26A0 %1").arg(entry);
}

QString AddFunctionCaption()
{
    return QStringLiteral("Funktion hinzufügen");
}

QString FunctionCaption(const QString& term)
{
    return QStringLiteral("Eigenschaften von f(x)=%1").arg(term);
}

QString DeleteFunctionQuestion(const QString& term)
{
    return QStringLiteral("Sind Sie sicher, daß Sie die Funktion f(x)=%1 löschen wollen?").arg(term);
}
