#include "dialogs/function/TermHint.h"

#include "dialogs/function/FunctionTexts.h"
#include "engine/MathFunctions.h"
#include "engine/TermDiagnosis.h"
#include "engine/TermSyntax.h"

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
        return QStringLiteral("Hinweis: Im Term steht vor Nachkommastellen ein Punkt: %1,… wird als %1 "
                              "gelesen. Meinten Sie %1.…?")
            .arg(number);
    }
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
