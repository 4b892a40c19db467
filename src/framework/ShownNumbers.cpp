#include "framework/ShownNumbers.h"

#include "framework/SettingsStore.h"

EDecimalSeparator ShownDecimalSeparator()
{
    return CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"),
                                                    QStringLiteral("DecimalComma"), 0) != 0
               ? EDecimalSeparator::Comma
               : EDecimalSeparator::Point;
}

QString ShownNumber(double value, int decimals)
{
    return QString::fromStdString(FormatNumber(value, decimals, ShownDecimalSeparator()));
}
