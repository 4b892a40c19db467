#include "GraphFileTestSupport.h"

#include "engine/TextEncoding.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

std::string TestFilePath(const std::string& name)
{
    const char* dir = std::getenv("VEX_TEST_DATA");
    return std::string{dir ? dir : "tests/data"} + "/" + name;
}

Bytes LoadTestFile(const std::string& name)
{
    std::ifstream in{TestFilePath(name), std::ios::binary};
    return Bytes(std::istreambuf_iterator<char>{in}, std::istreambuf_iterator<char>{});
}

std::string Describe(const CZelDoc& doc)
{
    std::ostringstream out;
    out << std::hexfloat;
    const CScaling s = doc.GetScaling();
    double a{}, b{}, c{};
    s.GetXRange(a, b, c);
    out << "x " << a << ' ' << b << ' ' << c;
    s.GetYRange(a, b, c);
    out << " y " << a << ' ' << b << ' ' << c;
    s.GetPrintSize(a, b);
    out << " auto " << s.GetAutoScaleY() << " labels " << s.GetLabelAxes() << " terms " << s.GetShowTerms()
        << " grid " << s.GetGridType() << " print " << a << ' ' << b << '\n';
    for (const auto& f : doc.GetFunctions()) {
        f.GetRange(a, b, c);
        out << "f [" << f.GetTerm() << "] [" << f.GetComment() << "] " << f.GetUseFamilyConstant() << ' ' << a
            << ' ' << b << ' ' << c << ' ' << f.GetColor() << " stroke " << f.GetStroke().width << ' '
            << static_cast<int>(f.GetStroke().style) << '\n';
    }
    for (const auto& o : doc.GetObjects()) {
        o.GetCoordinates(a, b);
        out << "o " << o.GetKind() << ' ' << a << ' ' << b << " [" << o.GetLabel() << "] "
            << o.GetTextPosition() << ' ' << o.GetPosition() << " [" << o.GetComment() << "] " << o.GetColor()
            << " stroke " << o.GetStroke().width << ' ' << static_cast<int>(o.GetStroke().style) << '\n';
    }
    for (const auto& d : doc.Derived()) {
        out << "d " << d.GetSource() << ' ' << static_cast<int>(d.GetKind()) << ' ' << d.GetX0() << ' '
            << d.GetY0() << ' ' << d.GetColor() << " stroke " << d.GetStroke().width << ' '
            << static_cast<int>(d.GetStroke().style) << '\n';
    }
    return out.str();
}

CZelDoc MakeRichDocument(std::int32_t gridType)
{
    const std::string longComment(300, 'c');
    CFunctionList functions;
    const struct
    {
        const char* term;
        const char* comment; // UTF-8 here, stored as Windows-1252 like typed text
        std::int32_t family;
        double from, to, step;
        std::uint32_t color;
    } fs[] = {
        {"x^2", "", 0, 0, 0, 0, 0},
        {"k*sin(x)", "Schar: Größe ändert sich mit k – siehe Übung 3", 1, -2, 2, 0.5, 0x0000FF},
        {"(x-k)^2+1", "Zeile eins\r\nZeile zwei mit ß\r\n", 1, 0, 3, 0.1, 0xFF8000},
        {"1/x", longComment.c_str(), 0, 1, 9, 2, 0x00FF00},
        {"  ", "nur Leerzeichen", 7, 0, 1, 0.25, 0xFFFFFF},
    };
    for (const auto& d : fs) {
        CGraphFunction f;
        f.SetTerm(d.term);
        f.SetComment(Utf8ToCp1252(d.comment));
        f.SetUseFamilyConstant(d.family);
        f.SetRange(d.from, d.to, d.step);
        f.SetColor(d.color);
        functions.push_back(f);
    }

    CObjectList objects;
    const struct
    {
        std::int32_t kind;
        double x, y;
        const char* label;
        std::int32_t textPosition;
        double position;
        const char* comment;
        std::uint32_t color;
    } os[] = {
        {CGraphObject::Point, 1, 1, "P", 0, 0, "Schnittpunkt", 0x008000},
        {CGraphObject::Point, -1.5, 2.25, "Hochpunkt H¹", 7, 0, "", 0x000080},
        {CGraphObject::VerticalLine, 0, 0, "", 0, 2.5, "Polstelle\r\nbei 2,5", 0x800080},
        {CGraphObject::VerticalLine, 3, 4, "bleibt erhalten", 9, -1e-300, "", 0},
        {2, 0, 0, "Art 2", -1, 0.1, "", 0x123456},
    };
    for (const auto& d : os) {
        CGraphObject o;
        o.SetKind(d.kind);
        o.SetCoordinates(d.x, d.y);
        o.SetLabel(Utf8ToCp1252(d.label));
        o.SetTextPosition(d.textPosition);
        o.SetPosition(d.position);
        o.SetComment(Utf8ToCp1252(d.comment));
        o.SetColor(d.color);
        objects.push_back(o);
    }

    CScaling scaling;
    scaling.SetXRange(-7.5, 12, 1.5);
    scaling.SetYRange(-0.001, 0.002, 0.0005);
    scaling.SetAutoScaleY(0);
    scaling.SetLabelAxes(0);
    scaling.SetShowTerms(1);
    scaling.SetGridType(gridType);
    scaling.SetPrintSize(2.5, 0);

    CZelDoc doc;
    doc.SetFunctions(functions);
    doc.SetObjects(objects);
    doc.SetScaling(scaling);
    return doc;
}
