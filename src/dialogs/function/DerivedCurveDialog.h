#pragma once

#include "document/DerivedCurve.h"

#include <QDialog>

class CColorSwatch;
class CLineStrokeFields;
class QPushButton;

// The properties of a derived curve (f', f'', F): its colour and its line. It has no term of its
// own to edit; it is computed from its source, which is edited instead.
class CDerivedCurveDialog final : public QDialog
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CDerivedCurveDialog)

public:
    // name is the curve's ("f'"), source the source's legend text ("f(x)=x^3").
    CDerivedCurveDialog(const QString& name, const QString& source, const CDerivedCurve& curve,
                        QWidget* parent = nullptr);

    const CDerivedCurve& Curve() const { return m_curve; }
    CLineStrokeFields* StrokeFields() const { return m_stroke; }

    void accept() override;

private:
    void OnChooseColor();

    CDerivedCurve m_curve;
    CColorSwatch* m_swatch{nullptr};
    CLineStrokeFields* m_stroke{nullptr};
};
