// Widths and dash patterns as they come out: stroke widths measured in a PDF's content at 600 and
// 96 dots per inch, and in the pixels of a PNG.
#include "framework/GraphOutput.h"

#include <QBuffer>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QRegularExpression>

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <cmath>
#include <compare>
#include <set>
#include <vector>

namespace {

constexpr std::uint32_t kRed = 0x0000FF;

// The graph of y = 1 in the given stroke, with a point of 0.1 mm (its cross is drawn at least
// 0.25 mm wide) and a vertical line of 1.5 mm at x = 4: no grid, no labels, no terms.
struct SGraph
{
    CFunctionList functions;
    CObjectList objects;
    CScaling scaling;

    explicit SGraph(const SLineStroke& stroke)
    {
        CGraphFunction f;
        f.SetTerm("1");
        f.SetColor(kRed);
        f.SetStroke(stroke);
        functions.push_back(f);
        CGraphObject point;
        point.SetCoordinates(-3, -3);
        point.SetStroke({0.1, ELineStyle::Solid});
        CGraphObject line;
        line.SetKind(CGraphObject::VerticalLine);
        line.SetPosition(4);
        line.SetStroke({1.5, ELineStyle::Solid});
        objects = {point, line};
        scaling.SetGridType(0);
        scaling.SetLabelAxes(0);
        scaling.SetShowTerms(0);
    }
};

std::string Inflate(const QByteArray& deflated)
{
    z_stream z{};
    inflateInit(&z);
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(deflated.data()));
    z.avail_in = static_cast<uInt>(deflated.size());
    std::string out;
    char buffer[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        z.next_out = reinterpret_cast<Bytef*>(buffer);
        z.avail_out = sizeof buffer;
        status = inflate(&z, Z_NO_FLUSH);
        out.append(buffer, sizeof buffer - z.avail_out);
    }
    inflateEnd(&z);
    return out;
}

// Every page content of the PDF, compressed or not, in one text.
std::string PdfContent(const QByteArray& pdf)
{
    std::string content;
    qsizetype at = 0;
    while ((at = pdf.indexOf("stream", at)) >= 0) {
        if (at >= 3 && pdf.mid(at - 3, 3) == "end") {
            at += 6;
            continue;
        }
        const qsizetype dictionary = pdf.lastIndexOf("<<", at);
        qsizetype begin = at + 6;
        while (begin < pdf.size() && (pdf[begin] == '\r' || pdf[begin] == '\n')) {
            ++begin;
        }
        const qsizetype end = pdf.indexOf("endstream", begin);
        const QByteArray data = pdf.mid(begin, end - begin);
        content += pdf.mid(dictionary, at - dictionary).contains("FlateDecode") ? Inflate(data) : data.toStdString();
        content += '\n';
        at = end + 9;
    }
    return content;
}

// What the PDF strokes paths with: the `w` and the dash array set before a stroke `S`, in device
// units rounded to 1/100.
struct SPdfPen
{
    double width;
    std::vector<double> dashes;
    auto operator<=>(const SPdfPen&) const = default;
};

double Hundredths(const QString& number)
{
    return std::round(number.toDouble() * 100) / 100;
}

std::set<SPdfPen> PdfPens(const SLineStroke& stroke, int dotsPerInch)
{
    SGraph graph{stroke};
    CGraphOutput output{graph.functions, graph.objects, graph.scaling};
    output.SetPdfPage(QPageLayout{QPageSize{QPageSize::A4}, QPageLayout::Portrait, QMarginsF{10, 10, 10, 10}},
                      dotsPerInch);
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(output.Write(EGraphFormat::Pdf, QSize{}, buffer));
    const std::string content = PdfContent(buffer.data());
    std::set<SPdfPen> pens;
    // Each pen reads "<width> w <cap> J [<limit> M] <join> j [<dashes>]<phase> d" and holds until
    // the next pen or the end of its state ("Q"); only a pen that strokes ("S") counts.
    static const QRegularExpression pen{
        QStringLiteral("([0-9.]+) w \\d J (?:[0-9.]+ M )?\\d j \\[([^\\]]*)\\]")};
    std::size_t at = 0;
    while ((at = content.find(" w ", at)) != std::string::npos) {
        const std::size_t start = content.rfind('\n', at) + 1;
        const std::size_t end = std::min({content.find(" w ", at + 3), content.find("\nQ", at), content.size()});
        const QRegularExpressionMatch match =
            pen.match(QString::fromStdString(content.substr(start, content.find('\n', at) - start)));
        if (match.hasMatch() && content.substr(at, end - at).find("\nS") != std::string::npos) {
            SPdfPen read{Hundredths(match.captured(1)), {}};
            for (const QString& dash : match.captured(2).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
                read.dashes.push_back(Hundredths(dash));
            }
            pens.insert(read);
        }
        at += 3;
    }
    return pens;
}

QImage Png(const SLineStroke& stroke, QSize size)
{
    SGraph graph{stroke};
    CGraphOutput output{graph.functions, graph.objects, graph.scaling};
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(output.Write(EGraphFormat::Png, size, buffer));
    return QImage::fromData(buffer.data(), "PNG");
}

bool IsRed(const QImage& image, int x, int y)
{
    return image.pixel(x, y) == qRgb(255, 0, 0);
}

} // namespace

TEST(LineStrokeOutput, PdfStrokesAreAsWideAsTheirMillimetres)
{
    // 0.25 mm at 600 dpi is 5.91 units: the frame, the axes, the ticks and the point's cross never
    // go below that, the vertical line has its 1.5 mm, the curve its own width and dashes of at
    // least 2 mm with gaps of 1 mm, and no pen is thinner than one unit.
    const SPdfPen frame600{5.91, {}};
    const SPdfPen line600{35.43, {}};
    const struct
    {
        SLineStroke stroke;
        int dpi;
        std::set<SPdfPen> pens;
    } cases[] = {
        {{0.25, ELineStyle::Solid}, 600, {frame600, line600}},
        {{0.1, ELineStyle::Solid}, 600, {{2.36, {}}, frame600, line600}},
        {{1.0, ELineStyle::Dashed}, 600, {frame600, {23.62, {94.49, 47.24}}, line600}},
        {{0.25, ELineStyle::Dashed}, 600, {frame600, {5.91, {47.24, 23.62}}, line600}},
        {{0.5, ELineStyle::Dotted}, 600, {frame600, {11.81, {11.81, 23.62}}, line600}},
        {{2.0, ELineStyle::DashDotted}, 600, {frame600, line600, {47.24, {188.98, 94.49, 47.24, 94.49}}}},
        {{0.25, ELineStyle::Solid}, 1200, {{11.81, {}}, {70.87, {}}}},
        {{0.25, ELineStyle::Solid}, 96, {{1.0, {}}, {5.67, {}}}},
        {{0.1, ELineStyle::Dotted}, 96, {{1.0, {}}, {1.0, {1.0, 2.0}}, {5.67, {}}}},
        {{2.0, ELineStyle::Solid}, 96, {{1.0, {}}, {5.67, {}}, {7.56, {}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PdfPens(c.stroke, c.dpi), c.pens) << c.stroke.width << " mm at " << c.dpi;
    }
}

TEST(LineStrokeOutput, PngPixelsFollowWidthAndPattern)
{
    // At 96 dpi: the thickness of the line y = 1 in pixels, and the lengths of its first dash
    // and gap along the line (a solid line is one run).
    const struct
    {
        SLineStroke stroke;
        int thickness;
        int on;
        int off;
    } cases[] = {
        {{0.25, ELineStyle::Solid}, 1, 0, 0},    {{0.1, ELineStyle::Solid}, 1, 0, 0},
        {{0.5, ELineStyle::Solid}, 2, 0, 0},     {{0.25, ELineStyle::Dotted}, 1, 1, 2},
        {{0.25, ELineStyle::Dashed}, 1, 8, 4},   {{1.0, ELineStyle::Dashed}, 4, 16, 8},
        {{2.0, ELineStyle::DashDotted}, 8, 32, 16},
    };
    const QSize size{400, 300};
    for (const auto& c : cases) {
        const QImage image = Png(c.stroke, size);
        ASSERT_FALSE(image.isNull());
        const int column = size.width() / 4;
        std::vector<int> rows;
        for (int y = 0; y < size.height(); ++y) {
            if (IsRed(image, column, y)) {
                rows.push_back(y);
            }
        }
        // A dash pattern may leave the measuring column in a gap: then a little to the right.
        int x = column;
        while (rows.empty() && x < column + 60) {
            ++x;
            for (int y = 0; y < size.height(); ++y) {
                if (IsRed(image, x, y)) {
                    rows.push_back(y);
                }
            }
        }
        ASSERT_FALSE(rows.empty()) << c.stroke.width;
        EXPECT_EQ(static_cast<int>(rows.size()), c.thickness) << c.stroke.width;
        EXPECT_EQ(rows.back() - rows.front() + 1, c.thickness) << c.stroke.width;
        // Runs along the middle row of the line, inside the frame, from its first red pixel:
        // red, gap, red, gap, ...
        const int row = rows[rows.size() / 2];
        std::vector<int> runs;
        for (int i = 2; i < size.width() - 2; ++i) {
            const bool red = IsRed(image, i, row);
            const bool inRed = runs.size() % 2 == 1;
            if (runs.empty() ? red : red != inRed) {
                runs.push_back(0);
            }
            if (!runs.empty()) {
                ++runs.back();
            }
        }
        if (runs.size() % 2 == 0) {
            runs.pop_back(); // the white after the curve's end
        }
        if (c.on == 0) {
            EXPECT_EQ(runs.size(), 1U) << c.stroke.width;
            continue;
        }
        // The first and the last run may be cut by the frame; those in between are whole.
        ASSERT_GE(runs.size(), 6U) << c.stroke.width;
        int longestDash = 0;
        int longestGap = 0;
        for (std::size_t r = 1; r + 1 < runs.size(); ++r) {
            (r % 2 == 0 ? longestDash : longestGap) = std::max(r % 2 == 0 ? longestDash : longestGap, runs[r]);
        }
        EXPECT_NEAR(longestDash, c.on, 1) << c.stroke.width;
        EXPECT_NEAR(longestGap, c.off, 1) << c.stroke.width;
    }
}
