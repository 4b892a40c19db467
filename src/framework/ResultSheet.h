#pragma once

#include "view/DrawContext.h"

#include <QString>
#include <QStringList>

#include <functional>

class CScaling;
class QPagedPaintDevice;

// The results sheet ("Ergebnisblatt"): a function's term and comment as the heading, its graph at
// the print size of the scaling (smaller where the page is too narrow or the graph would fill more
// than half of it) and below it the lines of an analysis, continued on further pages as long as
// there are lines. The lines are text on the page, so a PDF of it can be searched and copied from.
struct SResultSheet
{
    QString heading; // "f(x) = x^3-3*x"
    QString comment;
    QStringList lines;
    QString title; // of the PDF document
};

// Draws the graph into the rectangle on the device the sheet is painted on.
using SheetGraphPainter = std::function<void(CDrawContext& dc, const CRect& rect)>;

// Paints the sheet on a printer or a PDF writer, whose page layout (A4 with margins, say) is set
// already. False when the device cannot be painted on.
bool PaintResultSheet(QPagedPaintDevice& device, const SResultSheet& sheet, const CScaling& scaling,
                      const SheetGraphPainter& paintGraph);

// The sheet as a PDF file on A4 paper, written atomically. On failure, errorNumber is the system's
// reason (0 when the page itself could not be made).
bool WriteResultSheetPdf(const QString& path, const SResultSheet& sheet, const CScaling& scaling,
                         const SheetGraphPainter& paintGraph, int& errorNumber);
