#include "dialogs/function/TermHint.h"

#include <gtest/gtest.h>

// The line a user reads under the term field, for each trap and each class of error.
TEST(TermHint, ExplainsEachTrapAndEachErrorInGerman)
{
    const std::pair<const char*, QString> cases[] = {
        {"2x", QStringLiteral("Hinweis: 2x wird als 2 gelesen. Meinten Sie 2*x?")},
        {"-x^2", QStringLiteral("Hinweis: -x^… wird als (-x)^… gelesen; für −x² schreiben Sie -(x^2).")},
        {"x + 2", QStringLiteral("Leerzeichen an Stelle 4: Vor einer Zahl oder einem Namen darf kein "
                                 "Leerzeichen stehen, etwa x+2 statt x + 2.")},
        {"sin(", QStringLiteral("Zur Klammer „(“ an Stelle 4 fehlt die schließende Klammer.")},
        {"x)", QStringLiteral("Zur Klammer „)“ an Stelle 2 fehlt die öffnende Klammer.")},
        {"x*;", QStringLiteral("Das Zeichen „;“ an Stelle 3 ist hier nicht erlaubt.")},
        {"sinx", QStringLiteral("Hinweis: „sinx“ ist kein bekannter Name und wird als die Scharkonstante k "
                                "gelesen. Meinten Sie sin(x)?")},
        {"sinhx", QStringLiteral("Hinweis: „sinhx“ ist kein bekannter Name und wird als die Scharkonstante "
                                 "k gelesen. Meinten Sie sinh(x)?")},
        {"xy", QStringLiteral("Hinweis: „xy“ ist kein bekannter Name und wird als x gelesen.")},
        {"x(x+1)", QStringLiteral("Hinweis: Vor der Klammer an Stelle 2 fehlt „*“; was ab dort folgt, wird "
                                  "nicht gelesen. Meinten Sie x*(x+1)?")},
        {"0,5*x", QStringLiteral("Hinweis: Im Term steht vor Nachkommastellen ein Punkt: 0,5 wird als 0 "
                                 "gelesen. Meinten Sie 0.5?")},
        {"", QStringLiteral("Bitte geben Sie einen Term ein, etwa x^2-1.")},
        // Stored in lower case, so upper case is no unknown name.
        {"SIN(X)", QString{}},
        {"-(x^2)", QString{}},
    };
    for (const auto& [term, hint] : cases) {
        EXPECT_EQ(TermHint(QString::fromLatin1(term)), hint) << term;
    }
}
