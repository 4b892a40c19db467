#include "dialogs/function/ColorSwatch.h"

#include <QPalette>

CColorSwatch::CColorSwatch(QWidget* parent) : QFrame{parent}
{
    setObjectName(QStringLiteral("colorSwatch"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setFixedSize(40, 20);
    setAutoFillBackground(true);
    SetColor(0);
}

void CColorSwatch::SetColor(std::uint32_t color)
{
    QPalette shown = palette();
    shown.setColor(QPalette::Window, ColorFromRecord(color));
    setPalette(shown);
}

QColor CColorSwatch::Shown() const
{
    return palette().color(QPalette::Window);
}

QColor ColorFromRecord(std::uint32_t color)
{
    return QColor{static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                  static_cast<int>((color >> 16) & 0xFF)};
}

std::uint32_t RecordFromColor(const QColor& color)
{
    return static_cast<std::uint32_t>(color.red()) | (static_cast<std::uint32_t>(color.green()) << 8) |
           (static_cast<std::uint32_t>(color.blue()) << 16);
}
