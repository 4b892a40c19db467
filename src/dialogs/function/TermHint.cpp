#include "dialogs/function/TermHint.h"

#include "dialogs/function/FunctionTexts.h"
#include "engine/MathFunctions.h"
#include "engine/SchoolNotation.h"
#include "engine/TermDiagnosis.h"
#include "engine/TermSyntax.h"
#include "framework/SettingsStore.h"

#include <string>

namespace {

// What a name that is none reads as: only its first letter (two for pi) counts.
QString ReadAs(const QString& name)
{
    if (name.startsWith(QLatin1String("pi"))) {
        return QStringLiteral("pi");
    }
    if (name.startsWith(QLatin1Char('x')) || name.startsWith(QLatin1Char('e'))) {
        return name.left(1);
    }
    return QStringLiteral("die Scharkonstante k");
}

// "sin(x)" for "sinx": a function name that lacks its parenthesis.
QString Suggestion(const QString& name, const QString& rest)
{
    QString longest;
    for (const SFunctionEntry& entry : g_functionTable) {
        const QString function = QString::fromLatin1(entry.name.data(), entry.name.size() - 1);
        if (function.size() > longest.size() && name.startsWith(function)) {
            longest = function; // "sinhx" is sinh(x), not sin(hx)
        }
    }
    if (longest.size() < 2) {
        return {};
    }
    const QString argument = name.mid(longest.size()) + rest;
    return QStringLiteral(" Meinten Sie %1(%2)?")
        .arg(longest, argument.isEmpty() ? QStringLiteral("x") : argument);
}

} // namespace

QString TermHint(const QString& term)
{
    if (term.isEmpty()) {
        return QStringLiteral("Bitte geben Sie einen Term ein, etwa x^2-1.");
    }
    STermDiagnosis found = DiagnoseTerm(ToRecordText(term));
    // Stored terms are lower case, so "SIN(x)" means sin(x); the errors are those of the text
    // as typed, as the buttons judge it.
    const QString lower = term.toLower();
    if (!found.IsError()) {
        found = DiagnoseTerm(ToRecordText(lower));
        if (found.IsError()) {
            found = {};
        }
    }
    const int at = static_cast<int>(found.position);
    const int length = static_cast<int>(found.length);
    const QString place = QString::number(at + 1);
    switch (found.finding) {
    case ETermFinding::None:
        return {};
    case ETermFinding::UnexpectedCharacter:
        return QStringLiteral("Das Zeichen „%1“ an Stelle %2 ist hier nicht erlaubt.")
            .arg(term.mid(at, 1), place);
    case ETermFinding::BlankBeforeOperand:
        return QStringLiteral("Leerzeichen an Stelle %1: Vor einer Zahl oder einem Namen darf kein "
                              "Leerzeichen stehen, etwa x+2 statt x + 2.")
            .arg(place);
    case ETermFinding::MissingClosingParenthesis:
        return QStringLiteral("Zur Klammer „(“ an Stelle %1 fehlt die schließende Klammer.").arg(place);
    case ETermFinding::MissingOpeningParenthesis:
        return QStringLiteral("Zur Klammer „)“ an Stelle %1 fehlt die öffnende Klammer.").arg(place);
    case ETermFinding::NestedTooDeeply:
        return QStringLiteral("Der Term ist ab Stelle %1 zu tief geschachtelt: Mehr als %2 Klammern, "
                              "Funktionen und Vorzeichen ineinander liest das Programm nicht.")
            .arg(place)
            .arg(kMaxTermDepth);
    case ETermFinding::TextAfterNumber: {
        const QString number = lower.mid(at, length);
        const QString next = lower.mid(at + length, 1);
        return QStringLiteral("Hinweis: %1%2 wird als %1 gelesen. Meinten Sie %1*%2?").arg(number, next);
    }
    case ETermFinding::CommaInNumber: {
        const QString number = lower.mid(at, length);
        int end = at + length + 1;
        while (end < lower.size() && lower[end].isDigit()) {
            ++end;
        }
        const QString decimals = lower.mid(at + length + 1, end - at - length - 1);
        return QStringLiteral("Hinweis: Im Term steht vor Nachkommastellen ein Punkt: %1,%2 wird als %1 "
                              "gelesen. Meinten Sie %1.%2?")
            .arg(number, decimals);
    }
    case ETermFinding::MissingOperand:
        break;
    case ETermFinding::SignBeforePower:
        return QStringLiteral("Hinweis: %1^… wird als (%1)^… gelesen; für −x² schreiben Sie -(x^2).")
            .arg(lower.mid(at, length));
    case ETermFinding::ProductWithoutStar:
        return QStringLiteral("Hinweis: Vor der Klammer an Stelle %1 fehlt „*“; was ab dort folgt, wird "
                              "nicht gelesen. Meinten Sie %2*%3?")
            .arg(place, lower.left(at), lower.mid(at));
    case ETermFinding::UnknownName: {
        const QString name = lower.mid(at, length);
        QString rest = lower.mid(at + length);
        rest = rest.startsWith(QLatin1Char(' ')) ? rest.mid(1) : QString{};
        return QStringLiteral("Hinweis: „%1“ ist kein bekannter Name und wird als %2 gelesen.%3")
            .arg(name, ReadAs(name), Suggestion(name, rest));
    }
    }
    return {};
}

namespace {

QString MissingOperandText(const QString& typed, int at)
{
    const QString before = typed.left(at).trimmed();
    if (at >= typed.trimmed().size() && !before.isEmpty()) {
        return QStringLiteral("Nach „%1“ am Ende fehlt noch eine Zahl, ein Name oder eine Klammer; "
                              "sonst wird dort mit 1 gerechnet.")
            .arg(before.right(1));
    }
    return QStringLiteral("An Stelle %1 fehlt eine Zahl, ein Name oder eine Klammer; sonst wird dort "
                          "mit 1 gerechnet.")
        .arg(at + 1);
}

QString SchoolProblemText(const QString& typed, const SSchoolProblem& found)
{
    const int at = static_cast<int>(found.position);
    const int length = static_cast<int>(found.length);
    const QString place = QString::number(at + 1);
    switch (found.problem) {
    case ESchoolProblem::None:
    case ESchoolProblem::VariableInNumber:
    case ESchoolProblem::NotComputable:
        break;
    case ESchoolProblem::UnexpectedCharacter:
        return QStringLiteral("Das Zeichen „%1“ an Stelle %2 ist hier nicht erlaubt.")
            .arg(typed.mid(at, 1), place);
    case ESchoolProblem::MissingOperand:
        return typed.trimmed().isEmpty() ? QStringLiteral("Bitte geben Sie einen Term ein, etwa x^2-1.")
                                         : MissingOperandText(typed, at);
    case ESchoolProblem::EmptyParentheses:
        return QStringLiteral("Die Klammer an Stelle %1 ist leer.").arg(place);
    case ESchoolProblem::MissingClosingParenthesis:
        return QStringLiteral("Zur Klammer „(“ an Stelle %1 fehlt die schließende Klammer.").arg(place);
    case ESchoolProblem::MissingOpeningParenthesis:
        return QStringLiteral("Zur Klammer „)“ an Stelle %1 fehlt die öffnende Klammer.").arg(place);
    case ESchoolProblem::UnknownName: {
        const QString name = typed.mid(at, length).toLower();
        const QString suggestion = Suggestion(QString{name}.remove(QLatin1Char(' ')), QString{});
        return QStringLiteral("„%1“ an Stelle %2 ist kein bekannter Name.%3")
            .arg(name, place,
                 suggestion.isEmpty() ? QStringLiteral(" Erlaubt sind x, k, e, pi und Funktionen wie sin(x).")
                                      : suggestion);
    }
    case ESchoolProblem::NestedTooDeeply:
        return QStringLiteral("Der Term ist ab Stelle %1 zu tief geschachtelt.").arg(place);
    case ESchoolProblem::NumberWithoutOperator:
        return QStringLiteral("Vor „%1“ an Stelle %2 fehlt ein Rechenzeichen.").arg(typed.mid(at, 1), place);
    }
    return {};
}

} // namespace

bool SchoolNotationOn()
{
    return CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"),
                                                    QStringLiteral("SchoolNotation"), 1) != 0;
}

QString WithPlainMinus(QString text)
{
    return text.replace(QChar{0x2212}, QLatin1Char('-'));
}

STypedTerm ReadTypedTerm(const QString& typed, bool schoolNotation)
{
    const std::string bytes = ToRecordText(WithPlainMinus(typed));
    if (!schoolNotation) {
        const STermDiagnosis fault = FindTermFault(bytes);
        if (fault.finding == ETermFinding::MissingOperand && !typed.isEmpty()) {
            return {typed, false, MissingOperandText(typed, static_cast<int>(fault.position))};
        }
        return {typed, IsUsableTerm(typed), TermHint(typed)};
    }
    const SSchoolProblem problem = CheckSchoolNotation(bytes);
    if (problem.IsError()) {
        return {typed, false, SchoolProblemText(typed, problem)};
    }
    const QString stored = FromRecordText(RewriteSchoolNotation(bytes));
    if (FindTermFault(ToRecordText(stored)).IsFault()) {
        // The rewriting writes only what the language reads as meant; should it ever not, the
        // term is refused rather than stored with another meaning.
        return {typed, false, TermHint(stored)};
    }
    return {stored, true,
            stored == typed ? QString{} : QStringLiteral("wird gespeichert als: %1").arg(stored)};
}
