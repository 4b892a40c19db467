#pragma once

#include "document/GraphFile.h"

#include <QSize>
#include <QString>

#include <utility>

class CDrawContext;
class QIODevice;
struct CRect;

// The graph of a file drawn into a device as a PNG image, an SVG file or a PDF page, exactly as the
// window and the printer paint it. The export command hands over the device it writes through.
class CGraphExport final
{
public:
    // name: the graph file's name, the title of an SVG or PDF.
    CGraphExport(const CGraphContent& content, QString name) : m_content{content}, m_name{std::move(name)} {}

    // The graph as a window client area of this size shows it.
    bool WritePng(QSize size, QIODevice& device);
    // The same as vector graphics. Whatever the name, terms and labels hold, the file is XML.
    bool WriteSvg(QSize size, QIODevice& device);
    // One A4 page laid out as printing lays it out: each step measures the print size in cm.
    bool WritePdf(QIODevice& device);

    // Whether the last drawing left functions out because of the curve budget of one drawing.
    bool CurvesLeftOut() const { return m_curvesLeftOut; }

private:
    void Paint(CDrawContext& dc, const CRect& rect);

    const CGraphContent& m_content;
    QString m_name;
    bool m_curvesLeftOut{false};
};
