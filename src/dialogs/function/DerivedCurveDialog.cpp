#include "dialogs/function/DerivedCurveDialog.h"

#include "dialogs/function/ColorSwatch.h"
#include "framework/DialogIds.h"
#include "framework/LineStrokeFields.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString KindText(EDerivedKind kind)
{
    switch (kind) {
    case EDerivedKind::FirstDerivative:
        return QStringLiteral("Erste Ableitung");
    case EDerivedKind::SecondDerivative:
        return QStringLiteral("Zweite Ableitung");
    case EDerivedKind::Antiderivative:
        break;
    case EDerivedKind::LocusOfExtrema:
        return QStringLiteral("Ortskurve der Extrema");
    case EDerivedKind::LocusOfInflections:
        return QStringLiteral("Ortskurve der Wendepunkte");
    }
    return QStringLiteral("Stammfunktion");
}

} // namespace

CDerivedCurveDialog::CDerivedCurveDialog(const QString& name, const QString& source,
                                         const CDerivedCurve& curve, QWidget* parent)
    : QDialog{parent}, m_curve{curve}
{
    setObjectName(QStringLiteral("DerivedCurveDialog"));
    setWindowTitle(QStringLiteral("Eigenschaften von %1").arg(name));
    QString text = QStringLiteral("%1 von %2").arg(KindText(curve.GetKind()), source);
    if (curve.GetKind() == EDerivedKind::Antiderivative) {
        text += QStringLiteral(", durch (%1 | %2)").arg(curve.GetX0()).arg(curve.GetY0());
    }
    auto* description = new QLabel{text, this};
    description->setWordWrap(true);

    auto* colorButton = new QPushButton{QStringLiteral("&Farbe..."), this};
    colorButton->setObjectName(QStringLiteral("ColorButton"));
    m_swatch = new CColorSwatch{this};
    m_swatch->SetColor(curve.GetColor());
    auto* colorRow = new QHBoxLayout;
    colorRow->addWidget(colorButton);
    colorRow->addWidget(m_swatch);
    colorRow->addStretch();

    m_stroke = new CLineStrokeFields{this};
    m_stroke->SetStroke(curve.GetStroke());

    auto* buttons = new QDialogButtonBox{QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this};
    buttons->button(QDialogButtonBox::Ok)->setObjectName(kIdOk);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(kIdCancel);
    auto* layout = new QVBoxLayout{this};
    layout->addWidget(description);
    layout->addLayout(colorRow);
    layout->addWidget(m_stroke);
    layout->addWidget(buttons);
    connect(colorButton, &QPushButton::clicked, this, &CDerivedCurveDialog::OnChooseColor);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CDerivedCurveDialog::OnChooseColor()
{
    const QColor chosen = QColorDialog::getColor(ColorFromRecord(m_curve.GetColor()), this);
    if (chosen.isValid()) {
        m_curve.SetColor(RecordFromColor(chosen));
        m_swatch->SetColor(m_curve.GetColor());
    }
}

void CDerivedCurveDialog::accept()
{
    SLineStroke stroke;
    if (!m_stroke->Read(stroke)) {
        return;
    }
    m_curve.SetStroke(stroke);
    QDialog::accept();
}
