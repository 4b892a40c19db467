#include "dialogs/function/ColorSwatch.h"

#include "dialogs/function/FPCommentPage.h"

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
