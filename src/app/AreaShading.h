#pragma once

#include "dialogs/values/ValuesDialog.h"

#include <QRect>

class QPainter;
class CScaling;

// Shades the area an integral result of the values dialog shows, between the graph of f and
// that of g (or the x axis) from its lower to its upper limit, on a graph already drawn into
// rect with the given scaling. The tint is the function's colour at low opacity, multiplied into
// the picture so that the curves, grid and labels stay as dark as they were: it lies behind them.
// Where f lies below g the tint is hatched, so that the pieces the integral counts negative are
// told apart in colour and in grey.
void PaintAreaShading(QPainter& painter, const QRect& rect, const CScaling& drawn,
                      const CValuesDialog::SShownArea& area);
