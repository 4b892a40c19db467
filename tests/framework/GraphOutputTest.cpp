// The graph output. Its SVG writer fed whatever a graph file and its name can hold: the output is always XML.
#include "framework/GraphOutput.h"
#include "document/GraphFile.h"
#include "document/ZelDoc.h"
#include "framework/GraphPicture.h"

#include "engine/TextEncoding.h"

#include <QBuffer>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace {

struct CSvgCheck
{
    bool parsed{false};
    QString error;
    QString title;
};

CSvgCheck Check(const QByteArray& svg)
{
    CSvgCheck check;
    QXmlStreamReader reader{svg};
    bool inTitle = false;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement() && reader.name() == QLatin1String("title")) {
            inTitle = true;
        } else if (reader.isEndElement()) {
            inTitle = false;
        } else if (inTitle && reader.isCharacters()) {
            check.title += reader.text();
        }
    }
    check.parsed = !reader.hasError();
    check.error = reader.errorString();
    return check;
}

// A graph whose every text is `text`: the term, a point's label and a vertical line's comment.
CGraphContent GraphHolding(const std::string& text)
{
    CGraphContent content;
    CGraphFunction f;
    f.SetTerm(text);
    content.functions.push_back(f);
    CGraphObject point;
    point.SetCoordinates(1, 1);
    point.SetLabel(text);
    content.objects.push_back(point);
    return content;
}

QByteArray Svg(const CGraphContent& content, const QString& name)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    CGraphOutput graph{content.functions, content.objects, content.scaling};
    graph.SetTitle(name);
    EXPECT_TRUE(graph.Write(EGraphFormat::Svg, QSize{200, 150}, buffer));
    return buffer.data();
}

TEST(SvgExport, NamesAndTextsThatXmlMustEscape)
{
    const struct
    {
        const char* name; // UTF-8, as a file name is shown
        std::string text; // Windows-1252, as the records hold it
        const char* title;
    } cases[] = {
        {"R&D <v2>.zel", "x<2 & x>\"1\"", "R&D <v2>.zel"},
        {"']]>.zel", "]]>", "']]>.zel"},
        {"umlaut \xc3\xa4\xc3\xb6\xc3\xbc.zel", "\xe4\xf6\xfc\x80", "umlaut \xc3\xa4\xc3\xb6\xc3\xbc.zel"},
        {"bell\x07.zel", std::string{"x+\x01\x02\x1b"}, "bell\xef\xbf\xbd.zel"},
        {"nul.zel", std::string{"a\0b", 3}, "nul.zel"},
        {"tab\tand\nline.zel", "a\tb\r\nc", "tab\tand\nline.zel"},
    };
    for (const auto& c : cases) {
        const CSvgCheck check = Check(Svg(GraphHolding(c.text), QString::fromUtf8(c.name)));
        EXPECT_TRUE(check.parsed) << c.name << ": " << check.error.toStdString();
        EXPECT_EQ(check.title.toStdString(), c.title);
    }
}

TEST(SvgExport, ArbitraryBytesStayXml)
{
    std::mt19937 random{20261207};
    std::uniform_int_distribution<int> byte{0, 255};
    std::uniform_int_distribution<int> length{0, 24};
    const auto arbitrary = [&] {
        std::string text(static_cast<std::size_t>(length(random)), '\0');
        for (char& c : text) {
            c = static_cast<char>(byte(random));
        }
        return text;
    };
    for (int run = 0; run < 150; ++run) {
        const std::string name = arbitrary();
        const std::string text = arbitrary();
        const CSvgCheck check = Check(Svg(GraphHolding(text), QString::fromStdString(Cp1252ToUtf8(name))));
        ASSERT_TRUE(check.parsed) << "run " << run << ": " << check.error.toStdString();
    }
}

// Every SVG the program writes gives its size in the units of its view box, so that programs
// show it as large as it was asked for; the clipboard's copy and the export agree.
TEST(GraphOutput, SvgSizeIsInUnitsEverywhere)
{
    const CGraphContent content = GraphHolding("x");
    for (const QSize size : {QSize{200, 150}, QSize{800, 600}, QSize{1, 16384}}) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        CGraphOutput graph{content.functions, content.objects, content.scaling};
        ASSERT_TRUE(graph.Write(EGraphFormat::Svg, size, buffer));
        const QByteArray head = QStringLiteral("<svg width=\"%1\" height=\"%2\"\n")
                                    .arg(size.width())
                                    .arg(size.height())
                                    .toLatin1();
        EXPECT_TRUE(buffer.data().contains(head)) << buffer.data().left(400).toStdString();
        EXPECT_TRUE(buffer.data().contains(
            QStringLiteral("viewBox=\"0 0 %1 %2\"").arg(size.width()).arg(size.height()).toLatin1()));

        CZelDoc doc;
        doc.SetFunctions(content.functions);
        doc.SetObjects(content.objects);
        EXPECT_TRUE(DrawGraphSvg(doc, size).contains(head));
    }
}

// A device that takes nothing fails the write of an image or a drawing. (The PDF writer drops
// write errors; a file catches them itself, see the export's tests with /dev/full.)
TEST(GraphOutput, ADeviceThatRefusesFailsTheWrite)
{
    class CRefusingDevice final : public QIODevice
    {
    public:
        CRefusingDevice() { open(QIODevice::WriteOnly); }

    protected:
        qint64 readData(char*, qint64) override { return -1; }
        qint64 writeData(const char*, qint64) override { return -1; }
    };
    const CGraphContent content = GraphHolding("x");
    for (const EGraphFormat format : {EGraphFormat::Png, EGraphFormat::Svg}) {
        CRefusingDevice device;
        CGraphOutput graph{content.functions, content.objects, content.scaling};
        EXPECT_FALSE(graph.Write(format, QSize{200, 150}, device)) << static_cast<int>(format);
    }
}

} // namespace
