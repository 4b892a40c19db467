#include "dialogs/addfunction/FAPicture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <numbers>

namespace {

QImage DrawPicture()
{
    QImage image{CFAPicture::kWidth, CFAPicture::kHeight, QImage::Format_RGB888};
    QPainter painter{&image};
    painter.setRenderHint(QPainter::Antialiasing);

    QLinearGradient ground{0, 0, 0, CFAPicture::kHeight};
    ground.setColorAt(0.0, QColor{0x10, 0x2A, 0x6B});
    ground.setColorAt(1.0, QColor{0x3F, 0x8F, 0xC9});
    painter.fillRect(image.rect(), ground);

    // The sheet of graph paper, slightly tilted as if just laid down.
    painter.save();
    painter.translate(60, 96);
    painter.rotate(-6);
    const QRectF sheet{-44, -56, 88, 112};
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor{0, 0, 0, 70});
    painter.drawRect(sheet.translated(3, 4));
    painter.setBrush(Qt::white);
    painter.drawRect(sheet);

    painter.setPen(QPen{QColor{0xC8, 0xDC, 0xF0}, 0.8});
    for (int i = -40; i <= 40; i += 8) {
        painter.drawLine(QPointF(i, -52), QPointF(i, 52));
    }
    for (int i = -48; i <= 48; i += 8) {
        painter.drawLine(QPointF(-40, i), QPointF(40, i));
    }
    painter.setPen(QPen{Qt::black, 1.2});
    painter.drawLine(QPointF(-40, 8), QPointF(40, 8));
    painter.drawLine(QPointF(0, -52), QPointF(0, 52));
    painter.drawLine(QPointF(40, 8), QPointF(36, 6));
    painter.drawLine(QPointF(40, 8), QPointF(36, 10));
    painter.drawLine(QPointF(0, -52), QPointF(-2, -48));
    painter.drawLine(QPointF(0, -52), QPointF(2, -48));

    QPainterPath parabola;
    QPainterPath wave;
    for (int i = 0; i <= 80; ++i) {
        const double x = -40.0 + i;
        const double u = x / 16.0;
        const QPointF p{x, 8.0 - 4.0 * u * u};
        const QPointF q{x, 8.0 - 14.0 * std::sin(u * std::numbers::pi / 2.0)};
        if (i == 0) {
            parabola.moveTo(p);
            wave.moveTo(q);
        } else {
            parabola.lineTo(p);
            wave.lineTo(q);
        }
    }
    painter.setBrush(Qt::NoBrush);
    painter.setClipRect(sheet.adjusted(2, 2, -2, -2));
    painter.setPen(QPen{QColor{0xD0, 0x20, 0x20}, 2.0});
    painter.drawPath(parabola);
    painter.setPen(QPen{QColor{0x10, 0x60, 0xC0}, 2.0});
    painter.drawPath(wave);
    painter.restore();

    // A pen that has just drawn them.
    painter.save();
    painter.translate(96, 150);
    painter.rotate(35);
    painter.setPen(QPen{QColor{0x20, 0x20, 0x20}, 1.0});
    painter.setBrush(QColor{0xF2, 0xC1, 0x2E});
    painter.drawRect(QRectF{-4, -38, 8, 30});
    painter.setBrush(QColor{0xF0, 0xD8, 0xB0});
    QPainterPath tip;
    tip.moveTo(-4, -8);
    tip.lineTo(4, -8);
    tip.lineTo(0, 2);
    tip.closeSubpath();
    painter.drawPath(tip);
    painter.restore();

    QFont font{QStringLiteral("Arial")};
    font.setPixelSize(22);
    font.setItalic(true);
    font.setBold(true);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QRect{0, 172, CFAPicture::kWidth, 40}, Qt::AlignCenter, QStringLiteral("f(x) = ?"));
    return image;
}

} // namespace

CFAPicture::CFAPicture(QWidget* parent) : QWidget{parent}
{
    setObjectName(QStringLiteral("IDB_135"));
    setFixedSize(kWidth, kHeight);
}

const QImage& CFAPicture::Image()
{
    static const QImage image = DrawPicture();
    return image;
}

void CFAPicture::paintEvent(QPaintEvent* /*event*/)
{
    QPainter painter{this};
    painter.drawImage(0, 0, Image());
}
