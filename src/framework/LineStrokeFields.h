#pragma once

#include "document/LineStyle.h"

#include <QGroupBox>

class CNumberField;
class QComboBox;

// "Linie": the width in millimetres and the style of a curve, a vertical line or a point cross,
// as the function page and the object page both offer them.
class CLineStrokeFields final : public QGroupBox
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CLineStrokeFields)

public:
    explicit CLineStrokeFields(QWidget* parent = nullptr);

    void SetStroke(const SLineStroke& stroke);
    // Refuses, with a German message and the focus on the field, a width that is no number or
    // lies outside 0.1 to 2 mm.
    bool Read(SLineStroke& stroke);

    CNumberField* WidthField() const { return m_width; }
    QComboBox* StyleBox() const { return m_style; }

private:
    CNumberField* m_width{nullptr};
    QComboBox* m_style{nullptr};
};
