#include "dialogs/function/FunctionTexts.h"

#include "document/TextEncoding.h"
#include "engine/CompiledTerm.h"

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
