#include "cli/FamilyOption.h"

#include <QCommandLineParser>

std::optional<QString> ReadFamilyOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                                        bool terms, const QString& usage, std::optional<SFamilyArgument>& family)
{
    if (!parser.isSet(option)) {
        return std::nullopt;
    }
    if (!terms) {
        return QStringLiteral("--family gilt nur zusammen mit --term; ") + usage;
    }
    family = ParseFamilyArgument(parser.value(option).toStdString());
    if (!family) {
        return QStringLiteral("--family %1: erwartet wird VON:BIS:SCHRITT mit VON <= BIS und "
                              "0 < SCHRITT < BIS - VON, etwa 0:2:0,5")
            .arg(parser.value(option));
    }
    return std::nullopt;
}
