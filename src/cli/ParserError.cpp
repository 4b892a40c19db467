#include "cli/ParserError.h"

#include <QCommandLineParser>
#include <QRegularExpression>

QString ParserError(const QCommandLineParser& parser)
{
    if (!parser.unknownOptionNames().isEmpty()) {
        const QString name = parser.unknownOptionNames().front();
        return QStringLiteral("unbekannte Option \"%1%2\"")
            .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
    }
    static const QRegularExpression quoted{QStringLiteral("'([^']*)'")};
    const QString text = parser.errorText();
    const QString name = quoted.match(text).captured(1);
    if (text.startsWith(QLatin1String("Missing value"))) {
        return QStringLiteral("nach \"%1\" fehlt der Wert").arg(name);
    }
    if (text.startsWith(QLatin1String("Unexpected value"))) {
        return QStringLiteral("\"%1\" nimmt keinen Wert").arg(name);
    }
    return text;
}
