#include "app/WindowArguments.h"

#include <QCommandLineParser>

SWindowArguments ReadWindowArguments(const QStringList& arguments)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("DATEI"),
                                 QStringLiteral("Funktions-Graph, der geöffnet wird"));
    SWindowArguments read;
    if (parser.parse(arguments)) {
        read.files = parser.positionalArguments();
        return read;
    }
    // Qt words its refusals in English; the window form takes no option at all, so every
    // refusal is an unknown option.
    const QStringList unknown = parser.unknownOptionNames();
    const QString name = unknown.isEmpty() ? QString{} : unknown.front();
    read.error = QStringLiteral("unbekannte Option \"%1%2\"; Aufruf: vexplot [DATEI] "
                                "(\"vexplot --help\" nennt alle Aufrufe)")
                     .arg(name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--"), name);
    return read;
}
