#pragma once

#include "console/TermArguments.h"

#include <QString>

#include <optional>

class QCommandLineOption;
class QCommandLineParser;

// --family FROM:TO:STEP as --discuss and --export take it for their --term graphs: into `family`
// where it is given and reads, else the German complaint (given without --term, or not a range).
std::optional<QString> ReadFamilyOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                                        bool terms, const QString& usage, std::optional<SFamilyArgument>& family);
