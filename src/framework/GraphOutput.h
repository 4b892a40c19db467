#pragma once

#include "document/DerivedCurve.h"
#include "document/GraphFunction.h"
#include "document/GraphObject.h"
#include "document/KeptArea.h"
#include "document/Scaling.h"
#include "engine/NumberText.h"
#include "framework/PictureSize.h"
#include "view/FamilyFocus.h"

#include <QImage>
#include <QPageLayout>
#include <QRect>
#include <QSize>
#include <QString>

#include <functional>
#include <optional>

class CDrawContext;
class QIODevice;
struct CRect;

// The file formats a graph is written in.
enum class EGraphFormat
{
    Png,
    Svg,
    Pdf
};

// A graph drawn into a PNG image, an SVG drawing or a PDF page, exactly as the window and the
// printer paint it: the one way every picture of a graph is made, whether it goes to the
// clipboard, a device or a file. The lists and the scaling are only read, and must outlive it.
class CGraphOutput final
{
public:
    CGraphOutput(const CFunctionList& functions, const CObjectList& objects, const CScaling& scaling);

    // The format a file name asks for by its extension (.png, .svg, .pdf, any case).
    static std::optional<EGraphFormat> FormatOfName(const QString& path);

    // The title of an SVG drawing or a PDF document (a file name, for example).
    void SetTitle(const QString& title) { m_title = title; }
    // One member of a family singled out, as the window shows it while its slider is on.
    void SetFamilyFocus(const std::optional<SFamilyFocus>& focus) { m_focus = focus; }
    // The curves drawn from the functions (f', f'', F), kept as a copy.
    void SetDerivedCurves(const CDerivedList& derived) { m_derived = derived; }
    // Whether an SVG drawing gets a white background; without one it is transparent.
    void SetSvgBackground(bool white) { m_svgBackground = white; }
    // The page a PDF is laid out on, and the resolution its device units have: the page is then
    // printed as the printer prints it, the graph at the top left of its printable area. Without
    // it, an exported page: portrait A4 as a PDF printer has it, the graph centred on it under
    // the functions' lines as its title.
    void SetPdfPage(const QPageLayout& layout, int dotsPerInch);
    // The separator of the numbers on the axes; the point unless set.
    void SetDecimalSeparator(EDecimalSeparator separator) { m_separator = separator; }
    // The kept areas drawn behind the curves; none unless set.
    void SetAreas(const CAreaList& areas) { m_areas = areas; }

    // The graph as a window client area of this size shows it, on white.
    QImage Image(QSize size);

    // Writes the graph in a format to a device. A PNG or an SVG is `size` units large; a PDF is
    // one page on which each step measures the scaling's print size in centimetres. A PNG is made
    // in memory first, so that a device that fails to take it gets no half-written image from the
    // image library (nor its complaint on the terminal).
    // The size is in pixels or in centimetres. In centimetres an SVG states its width and
    // height in cm over a view box of the pixels, and a PNG records the resolution; both are
    // drawn at that resolution, so that widths in millimetres keep their size on paper.
    bool Write(EGraphFormat format, const SPictureSize& size, QIODevice& device);

    // The same into a file, atomically: the previous file stays untouched until the new one is
    // complete and on disk. On failure, errorNumber is the system's reason (0 when the picture
    // itself could not be made).
    bool WriteFile(EGraphFormat format, const SPictureSize& size, const QString& path, int& errorNumber);
    // WriteFile for one format. Each lives in a file of its own: a program that calls only one of
    // these links only the libraries of its format (the PNG's neither the SVG nor the printing one).
    bool WritePngFile(const SPictureSize& size, const QString& path, int& errorNumber);
    bool WriteSvgFile(const SPictureSize& size, const QString& path, int& errorNumber);
    bool WritePdfFile(const QString& path, int& errorNumber);

    // Where the graph's rectangle lies on the PDF page, in the page's device units counted from
    // the page's top-left corner (margins included): centred on the page.
    static QRect CentredOnPage(QSize rectSize, const QPageLayout& layout, int dotsPerInch);

    // Whether the last drawing left functions out because of the curve budget of one drawing,
    // or objects because of the object budget.
    bool CurvesLeftOut() const { return m_curvesLeftOut; }
    bool ObjectsLeftOut() const { return m_objectsLeftOut; }
    // The scaling the last drawing used (automatic y scaling may have changed it).
    const CScaling& DrawnScaling() const { return m_drawn; }

private:
    void Paint(CDrawContext& dc, const CRect& rect);
    QImage ImageAt(const SPictureSize& size);
    bool WritePng(const SPictureSize& size, QIODevice& device);
    bool WriteSvg(const SPictureSize& size, QIODevice& device);
    // The legend's lines as the title above the graph on a PDF page.
    void DrawTitleLines(CDrawContext& dc, const QRect& graph, int dotsPerInch);
    bool WritePdf(QIODevice& device);
    // Writes through `write` into path, atomically, as WriteFile describes.
    static bool WriteAtomically(const QString& path, int& errorNumber, const std::function<bool(QIODevice&)>& write);

    const CFunctionList& m_functions;
    const CObjectList& m_objects;
    const CScaling& m_scaling;
    QString m_title;
    std::optional<SFamilyFocus> m_focus;
    CDerivedList m_derived;
    bool m_svgBackground{false};
    std::optional<QPageLayout> m_pdfLayout;
    int m_pdfDotsPerInch{0};
    EDecimalSeparator m_separator{EDecimalSeparator::Point};
    CAreaList m_areas;
    bool m_curvesLeftOut{false};
    bool m_objectsLeftOut{false};
    CScaling m_drawn;
};
