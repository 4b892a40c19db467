#include "framework/ResultSheet.h"

#include "ProductInfo.h"
#include "framework/AtomicFile.h"
#include "framework/PainterContext.h"
#include "view/PrintRect.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextOption>

#include <algorithm>

namespace {

// The device's units per inch: a printer's resolution, which its preview keeps while it paints
// on the screen's metrics.
double DotsPerInch(const QPaintDevice& device)
{
    if (const auto* printer = dynamic_cast<const QPrinter*>(&device)) {
        return printer->resolution();
    }
    return device.logicalDpiY();
}

// Millimetres in device units at the device's resolution.
double Dots(const QPaintDevice& device, double millimetres)
{
    return millimetres * DotsPerInch(device) / 25.4;
}

} // namespace

bool PaintResultSheet(QPagedPaintDevice& device, const SResultSheet& sheet, const CScaling& scaling,
                      const SheetGraphPainter& paintGraph)
{
    QPainter painter;
    if (!painter.begin(&device)) {
        return false;
    }
    const double width = device.width();
    const double height = device.height();
    double y = 0;

    QFont headingFont{QStringLiteral("Liberation Sans")};
    headingFont.setPointSizeF(14);
    headingFont.setBold(true);
    QFont textFont{QStringLiteral("Liberation Sans")};
    textFont.setPointSizeF(10);

    // The heading and the comment, wrapped to the page's width.
    const auto paragraph = [&](const QString& text, const QFont& font) {
        if (text.isEmpty()) {
            return;
        }
        painter.setFont(font);
        const QRectF room{0, y, width, height - y};
        const QRectF used = painter.boundingRect(room, Qt::TextWordWrap, text);
        painter.drawText(room, Qt::TextWordWrap, text);
        y += used.height() + Dots(device, 2);
    };
    paragraph(sheet.heading, headingFont);
    paragraph(sheet.comment, textFont);
    y += Dots(device, 3);

    // The graph at its print size, scaled down (both ways alike) to the page's width and half its
    // height, and centred.
    {
        const CRect print = PrintRectangleOn(device, scaling);
        const double scale = std::min({1.0, width / std::max(1, print.Width()),
                                       (height / 2) / std::max(1, print.Height())});
        const int w = static_cast<int>(print.Width() * scale);
        const int h = static_cast<int>(print.Height() * scale);
        const int left = static_cast<int>((width - w) / 2);
        const int top = static_cast<int>(y);
        // The drawing takes its rectangle from the device's origin, as on a page of its own.
        painter.save();
        painter.translate(left, top);
        {
            CPainterContext dc{painter, DotsPerInch(device)};
            paintGraph(dc, CRect{0, 0, w, h});
        }
        painter.restore();
        y += h + Dots(device, 6);
    }

    // The lines, one per row; a tab goes to the next stop, as in the values dialog's list.
    painter.setFont(textFont);
    painter.setPen(Qt::black);
    const QFontMetricsF metrics{textFont, &device};
    const double rowHeight = metrics.lineSpacing();
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    option.setTabStopDistance(Dots(device, 30));
    for (const QString& line : sheet.lines) {
        if (y + rowHeight > height) {
            if (!device.newPage()) {
                painter.end();
                return false;
            }
            y = 0;
        }
        painter.drawText(QRectF{0, y, width, rowHeight}, line, option);
        y += rowHeight;
    }
    return painter.end();
}

bool WriteResultSheetPdf(const QString& path, const SResultSheet& sheet, const CScaling& scaling,
                         const SheetGraphPainter& paintGraph, int& errorNumber)
{
    errorNumber = 0;
    CAtomicFile file{path};
    if (!file.Open()) {
        errorNumber = file.Error();
        return false;
    }
    bool painted = false;
    {
        QPdfWriter writer{&file.Device()};
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout{QPageSize{QPageSize::A4}, QPageLayout::Portrait, QMarginsF{20, 15, 15, 15},
                                         QPageLayout::Millimeter});
        writer.setCreator(QStringLiteral(VEX_PRODUCT_NAME));
        writer.setTitle(sheet.title);
        painted = PaintResultSheet(writer, sheet, scaling, paintGraph);
    }
    if (!painted || !file.Commit()) {
        errorNumber = file.Error();
        return false;
    }
    return true;
}
