#include "framework/LineStrokeFields.h"

#include "framework/MessageBoxes.h"
#include "framework/NumberField.h"

#include <QComboBox>
#include <QFormLayout>

CLineStrokeFields::CLineStrokeFields(QWidget* parent) : QGroupBox{QStringLiteral("Linie"), parent}
{
    m_width = new CNumberField{this};
    m_width->setObjectName(QStringLiteral("lineWidth"));
    m_style = new QComboBox{this};
    m_style->setObjectName(QStringLiteral("lineStyle"));
    // In the order of the style codes.
    m_style->addItems({QStringLiteral("durchgezogen"), QStringLiteral("gestrichelt"),
                       QStringLiteral("gepunktet"), QStringLiteral("strichpunktiert")});
    auto* layout = new QFormLayout{this};
    layout->addRow(QStringLiteral("Br&eite in mm:"), m_width);
    layout->addRow(QStringLiteral("Linien&art:"), m_style);
}

void CLineStrokeFields::SetStroke(const SLineStroke& stroke)
{
    m_width->SetValue(stroke.width);
    m_style->setCurrentIndex(static_cast<int>(stroke.style));
}

bool CLineStrokeFields::Read(SLineStroke& stroke)
{
    double width{};
    if (!m_width->Read(width)) {
        return false;
    }
    if (!(width >= kMinLineWidth && width <= kMaxLineWidth)) {
        ShowMessage(this, QStringLiteral("Die Breite einer Linie liegt zwischen 0,1 und 2 mm."));
        m_width->selectAll();
        m_width->setFocus();
        return false;
    }
    stroke = SLineStroke{width, LineStyleOfCode(static_cast<std::uint32_t>(m_style->currentIndex()))};
    return true;
}
