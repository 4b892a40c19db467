#pragma once

#include "engine/NumberText.h"

#include <QString>

// The separator the user chose for the numbers the window shows ("Settings"/"DecimalComma",
// off by default): results, trace, coordinates, axis labels and copied values. It is read each
// time, so a changed option shows at the next repaint or run.
EDecimalSeparator ShownDecimalSeparator();

// A number as the window shows it, with that separator.
QString ShownNumber(double value, int decimals = 5);
