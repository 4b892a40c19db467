// The SVG writer fed whatever a graph file and its name can hold: the output is always XML.
#include "cli/GraphExport.h"

#include "document/TextEncoding.h"

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
    CGraphExport graph{content, name};
    EXPECT_TRUE(graph.WriteSvg(QSize{200, 150}, buffer));
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

} // namespace
