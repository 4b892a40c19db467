#include "framework/Pictures.h"

#include "ProductInfo.h"

#include "document/ZelDoc.h"
#include "framework/GraphPicture.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr std::uint32_t Rgb(int r, int g, int b)
{
    // Colours in records keep red in the low byte.
    return static_cast<std::uint32_t>(r) | static_cast<std::uint32_t>(g) << 8 |
           static_cast<std::uint32_t>(b) << 16;
}

CGraphFunction Function(const char* term, std::uint32_t color)
{
    CGraphFunction f;
    f.SetTerm(term);
    f.SetColor(color);
    return f;
}

CZelDoc SplashGraph()
{
    CZelDoc doc;
    CScaling scaling = doc.GetScaling();
    scaling.SetXRange(-6.0, 6.0, 1.0);
    scaling.SetYRange(-4.0, 4.0, 1.0);
    scaling.SetAutoScaleY(0);
    scaling.SetShowTerms(0);
    scaling.SetLabelAxes(0);
    doc.SetScaling(scaling);
    CGraphFunction family = Function("0.1*k*x^3-x", Rgb(0, 128, 0));
    family.SetUseFamilyConstant(1);
    family.SetRange(0.5, 1.5, 0.5);
    doc.SetFunctions({Function("2*sin(x)", Rgb(0, 0, 192)), Function("x^2/4-3", Rgb(192, 0, 0)), family});
    return doc;
}

CZelDoc SmallGraph()
{
    CZelDoc doc;
    CScaling scaling = doc.GetScaling();
    scaling.SetXRange(-3.0, 3.0, 1.0);
    scaling.SetYRange(-3.0, 3.0, 1.0);
    scaling.SetAutoScaleY(0);
    scaling.SetShowTerms(0);
    scaling.SetLabelAxes(0);
    scaling.SetGridType(0);
    doc.SetScaling(scaling);
    doc.SetFunctions({Function("x^2-2", Rgb(192, 0, 0)), Function("2*sin(x)", Rgb(0, 0, 192))});
    return doc;
}

} // namespace

QImage SplashPicture()
{
    const QSize size{500, 300};
    QImage image = DrawGraphImage(SplashGraph(), size);
    QPainter painter{&image};
    painter.setRenderHint(QPainter::Antialiasing);

    // A band across the middle keeps the name readable over the curves.
    const QRect band{0, 100, size.width(), 104};
    QLinearGradient shade{band.topLeft(), band.bottomLeft()};
    shade.setColorAt(0.0, QColor(255, 255, 255, 215));
    shade.setColorAt(1.0, QColor(232, 238, 255, 215));
    painter.fillRect(band, shade);
    painter.setPen(QColor(0, 0, 128));
    painter.drawLine(band.topLeft(), band.topRight());
    painter.drawLine(band.bottomLeft(), band.bottomRight());

    QFont title{QStringLiteral("Arial")};
    title.setPixelSize(36);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect{0, band.top() + 12, size.width(), 48}, Qt::AlignCenter,
                     QStringLiteral(VEX_PRODUCT_NAME));
    QFont version{QStringLiteral("Arial")};
    version.setPixelSize(18);
    painter.setFont(version);
    painter.setPen(QColor(64, 64, 64));
    painter.drawText(QRect{0, band.top() + 62, size.width(), 28}, Qt::AlignCenter,
                     QStringLiteral("Version " VEX_VERSION));

    painter.setPen(QColor(0, 0, 128));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(image.rect().adjusted(0, 0, -1, -1));
    return image;
}

QImage CopyWizardPicture()
{
    const QSize size{110, 250};
    QImage image{size, QImage::Format_RGB32};
    image.fill(QColor(0, 96, 128));
    QPainter painter{&image};
    painter.setRenderHint(QPainter::Antialiasing);

    // The board, the sheet on it with a graph, and the clip at the top.
    const QRectF board{12.5, 56.5, 85, 120};
    painter.setPen(QPen{QColor(70, 40, 10), 1.0});
    painter.setBrush(QColor(176, 120, 60));
    painter.drawRoundedRect(board, 6, 6);
    const QRect sheet{20, 70, 70, 98};
    painter.fillRect(sheet, Qt::white);
    const QImage graph = DrawGraphImage(SmallGraph(), QSize{66, 66});
    painter.drawImage(QPoint{sheet.left() + 2, sheet.top() + 16}, graph);
    painter.setBrush(QColor(200, 200, 210));
    painter.setPen(QPen{QColor(80, 80, 90), 1.0});
    painter.drawRoundedRect(QRectF{38.5, 48.5, 34, 14}, 3, 3);
    painter.end();
    return image;
}

QImage TipPicture()
{
    QImage image{QSize{40, 53}, QImage::Format_ARGB32_Premultiplied};
    image.fill(Qt::white);
    QPainter painter{&image};
    painter.setRenderHint(QPainter::Antialiasing);

    // The glass.
    QRadialGradient glow{QPointF{17, 14}, 18};
    glow.setColorAt(0.0, QColor(255, 255, 220));
    glow.setColorAt(1.0, QColor(250, 210, 40));
    painter.setBrush(glow);
    painter.setPen(QPen{QColor(120, 90, 0), 1.2});
    QPainterPath bulb;
    bulb.moveTo(13, 34);
    bulb.cubicTo(13, 27, 4, 24, 4, 16);
    bulb.cubicTo(4, 8, 11, 3, 20, 3);
    bulb.cubicTo(29, 3, 36, 8, 36, 16);
    bulb.cubicTo(36, 24, 27, 27, 27, 34);
    bulb.closeSubpath();
    painter.drawPath(bulb);

    // The filament.
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen{QColor(160, 80, 0), 1.0});
    QPainterPath wire;
    wire.moveTo(16, 33);
    wire.lineTo(16, 22);
    wire.lineTo(18, 18);
    wire.lineTo(20, 22);
    wire.lineTo(22, 18);
    wire.lineTo(24, 22);
    wire.lineTo(24, 33);
    painter.drawPath(wire);

    // The screw base.
    painter.setPen(QPen{QColor(60, 60, 60), 1.0});
    for (int i = 0; i < 4; ++i) {
        painter.setBrush(i % 2 == 0 ? QColor(170, 170, 175) : QColor(130, 130, 135));
        painter.drawRoundedRect(QRectF{13.5, 35.5 + 3.5 * i, 13, 3.5}, 1.5, 1.5);
    }
    painter.setBrush(QColor(50, 50, 50));
    painter.drawEllipse(QRectF{17, 49, 6, 3});
    painter.end();
    return image;
}

void InitIconResources()
{
    Q_INIT_RESOURCE(icons);
}

QIcon ProgramIcon()
{
    InitIconResources();
    return QIcon{QStringLiteral(":/icons/vexplot.svg")};
}
