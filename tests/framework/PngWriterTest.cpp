// PNG through libpng against the image library's own writer: read back, the same pixels, size and
// resolution, for a graph and for images of the other kinds a caller might hand over.
#include "framework/PngWriter.h"
#include "framework/GraphOutput.h"

#include <QBuffer>
#include <QPainter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

namespace {

// Five functions as a busy export draws them, in colours whose red and blue differ.
QImage Graph(QSize size)
{
    CFunctionList functions;
    std::uint32_t color = 0x0000ff;
    for (const char* term : {"sin(x)", "x^2/4-2", "exp(-x^2)*3", "1/x", "k*x"}) {
        CGraphFunction f;
        f.SetTerm(term);
        f.SetColor(color);
        color = color << 5 | 0x30;
        functions.push_back(f);
    }
    const CObjectList objects;
    const CScaling scaling;
    return CGraphOutput{functions, objects, scaling}.Image(size);
}

QImage ThroughQt(const QImage& image)
{
    QByteArray bytes;
    QBuffer buffer{&bytes};
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "PNG"));
    return QImage::fromData(bytes, "PNG");
}

TEST(PngWriter, ReadsBackAsTheImageLibraryWritesIt)
{
    const QImage graph = Graph(QSize{640, 480});
    QImage dense = graph;
    dense.setDotsPerMeterX(11811);
    dense.setDotsPerMeterY(5000);
    const struct
    {
        const char* name;
        QImage image;
    } cases[] = {
        {"graph", graph},
        {"graph at 300 dpi, unequal", dense},
        {"one pixel wide", Graph(QSize{1, 300})},
        {"translucent", graph.convertToFormat(QImage::Format_ARGB32).copy(0, 0, 40, 30)},
        {"RGB888", graph.convertToFormat(QImage::Format_RGB888)},
        {"grey", graph.convertToFormat(QImage::Format_Grayscale8)},
    };
    for (const auto& c : cases) {
        const QImage want = ThroughQt(c.image);
        const std::optional<QByteArray> png = CPngWriter{}.Encode(c.image);
        ASSERT_TRUE(png) << c.name;
        const QImage got = QImage::fromData(*png, "PNG");
        ASSERT_EQ(got.size(), want.size()) << c.name;
        EXPECT_EQ(got.dotsPerMeterX(), want.dotsPerMeterX()) << c.name;
        EXPECT_EQ(got.dotsPerMeterY(), want.dotsPerMeterY()) << c.name;
        EXPECT_EQ(got.convertToFormat(QImage::Format_ARGB32), want.convertToFormat(QImage::Format_ARGB32))
            << c.name;
    }
}

TEST(PngWriter, AFileThatCannotBeWrittenFailsWithTheSystemsReason)
{
    QTemporaryDir dir;
    const struct
    {
        QString path;
        int error;
    } cases[] = {{dir.filePath(QStringLiteral("fehlt/a.png")), ENOENT},
                 {QStringLiteral("/dev/full"), ENOSPC}};
    const CFunctionList functions;
    const CObjectList objects;
    const CScaling scaling;
    for (const auto& c : cases) {
        CGraphOutput graph{functions, objects, scaling};
        int error = 0;
        EXPECT_FALSE(graph.WriteFile(EGraphFormat::Png, QSize{200, 150}, c.path, error))
            << c.path.toStdString();
        EXPECT_EQ(error, c.error) << c.path.toStdString();
    }
}

} // namespace
