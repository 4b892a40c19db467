// Widths and dash patterns as they come out: pens of a PDF's page at 600 and 96 dpi, PNG pixels.
#include "framework/GraphOutput.h"

#include <QBuffer>
#include <QPageLayout>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <zlib.h>

#include <cmath>
#include <set>
#include <vector>

namespace {

// y = 1 in red, a point of 0.1 mm (its cross stays 0.25 mm), a 1.5 mm line at x = 4; no texts.
QByteArray Graph(const SLineStroke& stroke, EGraphFormat format, int dpi)
{
    CGraphFunction f;
    f.SetTerm("1");
    f.SetColor(0x0000FF);
    f.SetStroke(stroke);
    CGraphObject point, line;
    point.SetCoordinates(-3, -3);
    point.SetStroke({0.1, ELineStyle::Solid});
    line.SetKind(CGraphObject::VerticalLine);
    line.SetPosition(4);
    line.SetStroke({1.5, ELineStyle::Solid});
    const CFunctionList functions{f};
    const CObjectList objects{point, line};
    CScaling scaling;
    scaling.SetGridType(0);
    scaling.SetLabelAxes(0);
    scaling.SetShowTerms(0);
    CGraphOutput output{functions, objects, scaling};
    output.SetPdfPage(QPageLayout{QPageSize{QPageSize::A4}, QPageLayout::Portrait, QMarginsF{}}, dpi);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(output.Write(format, QSize{400, 300}, buffer));
    return buffer.data();
}

std::string PageContent(const QByteArray& pdf)
{
    const qsizetype begin = pdf.indexOf("stream\n") + 7;
    std::vector<char> out(1 << 24);
    uLongf size = static_cast<uLongf>(out.size());
    EXPECT_EQ(uncompress(reinterpret_cast<Bytef*>(out.data()), &size,
                         reinterpret_cast<const Bytef*>(pdf.constData() + begin),
                         static_cast<uLong>(pdf.indexOf("endstream", begin) - begin)),
              Z_OK);
    return std::string(out.data(), size);
}

struct SPdfPen
{
    double width;
    std::vector<double> dashes;
    auto operator<=>(const SPdfPen&) const = default;
};

// Every pen that strokes ("S" before the next pen or "Q"), in device units to 1/100.
std::set<SPdfPen> PdfPens(const SLineStroke& stroke, int dpi)
{
    const std::string content = PageContent(Graph(stroke, EGraphFormat::Pdf, dpi));
    static const QRegularExpression pen{
        QStringLiteral(R"(([0-9.]+) w \d J (?:[0-9.]+ M )?\d j \[([^\]]*)\])")};
    const auto round = [](const QString& n) { return std::round(n.toDouble() * 100) / 100; };
    std::set<SPdfPen> pens;
    for (std::size_t at = 0; (at = content.find(" w ", at)) != std::string::npos; at += 3) {
        const std::size_t start = content.rfind('\n', at) + 1;
        const std::size_t end =
            std::min({content.find(" w ", at + 3), content.find("\nQ", at), content.size()});
        const auto match =
            pen.match(QString::fromStdString(content.substr(start, content.find('\n', at) - start)));
        if (match.hasMatch() && content.substr(at, end - at).find("\nS") != std::string::npos) {
            SPdfPen read{round(match.captured(1)), {}};
            for (const QString& dash : match.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                read.dashes.push_back(round(dash));
            }
            pens.insert(read);
        }
    }
    return pens;
}

} // namespace

TEST(LineStrokeOutput, PdfPensAreAsWideAsTheirMillimetres)
{
    using enum ELineStyle;
    // 0.25 mm at 600 dpi is 5.91 units, the least of frame, axes, ticks and cross; dashes are 2 mm
    // and gaps 1 mm, or 4 and 2 widths, dots one width and gaps two; no pen is below one unit.
    const SPdfPen frame{5.91, {}}, line{35.43, {}};
    const struct
    {
        SLineStroke stroke;
        int dpi;
        std::set<SPdfPen> pens;
    } cases[] = {
        {{0.25, Solid}, 600, {frame, line}},
        {{0.1, Solid}, 600, {{2.36, {}}, frame, line}},
        {{1.0, Dashed}, 600, {frame, {23.62, {94.49, 47.24}}, line}},
        {{2.0, DashDotted}, 600, {frame, line, {47.24, {188.98, 94.49, 47.24, 94.49}}}},
        {{0.25, Solid}, 96, {{1.0, {}}, {5.67, {}}}},
        {{0.1, Dotted}, 96, {{1.0, {}}, {1.0, {1.0, 2.0}}, {5.67, {}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PdfPens(c.stroke, c.dpi), c.pens) << c.stroke.width << " mm at " << c.dpi;
    }
}

TEST(LineStrokeOutput, PngPixelsFollowWidthAndPattern)
{
    using enum ELineStyle;
    // At 96 dpi: thickness in pixels, longest inner dash and gap (0 for a solid line, one run).
    const struct
    {
        SLineStroke stroke;
        int thickness, on, off;
    } cases[] = {
        {{0.25, Solid}, 1, 0, 0},       {{0.1, Solid}, 1, 0, 0},   {{0.5, Solid}, 2, 0, 0},
        {{0.25, Dotted}, 1, 1, 2},      {{0.25, Dashed}, 1, 8, 4}, {{1.0, Dashed}, 4, 16, 8},
        {{2.0, DashDotted}, 8, 32, 16},
    };
    for (const auto& c : cases) {
        const QImage image = QImage::fromData(Graph(c.stroke, EGraphFormat::Png, 96), "PNG");
        const auto red = [&](int x, int y) { return image.pixel(x, y) == qRgb(255, 0, 0); };
        std::vector<int> rows; // the red rows of the first column from x = 100 that meets a dash
        for (int x = 100; rows.empty() && x < 160; ++x) {
            for (int y = 0; y < image.height(); ++y) {
                red(x, y) ? rows.push_back(y) : void();
            }
        }
        ASSERT_EQ(static_cast<int>(rows.size()), c.thickness) << c.stroke.width;
        // Along the middle row: white, red, gap, red, ..., white; the inner runs are whole.
        std::vector<int> runs{0};
        for (int x = 2; x < image.width() - 2; ++x) {
            red(x, rows[rows.size() / 2]) != (runs.size() % 2 == 0) ? runs.push_back(1) : void(++runs.back());
        }
        int dash = 0, gap = 0;
        for (std::size_t r = 2; r + 2 < runs.size(); ++r) {
            (r % 2 == 1 ? dash : gap) = std::max(r % 2 == 1 ? dash : gap, runs[r]);
        }
        EXPECT_EQ(runs.size() == 3, c.on == 0) << c.stroke.width;
        EXPECT_NEAR(dash, c.on, 1) << c.stroke.width;
        EXPECT_NEAR(gap, c.off, 1) << c.stroke.width;
    }
}
