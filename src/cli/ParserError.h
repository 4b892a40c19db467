#pragma once

#include <QString>

class QCommandLineParser;

// Why the parser refused the arguments, in German: QCommandLineParser words its errors in English.
QString ParserError(const QCommandLineParser& parser);
