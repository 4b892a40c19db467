#include "dialogs/graph/VPScalPage.h"

#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/NumberField.h"
#include "framework/RangeFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

enum EField
{
    kXFrom,
    kXTo,
    kXStep,
    kYFrom,
    kYTo,
    kYStep,
    kPrintX,
    kPrintY
};

constexpr int kFieldIds[8] = {IDC_X_FROM, IDC_X_TO,   IDC_X_STEP,  IDC_Y_FROM,
                              IDC_Y_TO,   IDC_Y_STEP, IDC_PRINT_X, IDC_PRINT_Y};

// A flag from a file may be any non-zero value; it stays as it was unless the box was changed, so
// that confirming an unchanged page changes nothing.
std::int32_t Flag(std::int32_t stored, bool checked)
{
    return (stored != 0) == checked ? stored : (checked ? 1 : 0);
}

// A column of labelled number fields in a group box; "unit" follows each field when given.
QGroupBox* FieldGroup(const QString& title, const QStringList& labels, CNumberField* const* fields,
                      const QString& unit, QWidget* parent)
{
    auto* group = new QGroupBox{title, parent};
    auto* grid = new QGridLayout{group};
    for (int row = 0; row < labels.size(); ++row) {
        auto* label = new QLabel{labels[row], group};
        label->setBuddy(fields[row]);
        grid->addWidget(label, row, 0);
        grid->addWidget(fields[row], row, 1);
        if (!unit.isEmpty()) {
            grid->addWidget(new QLabel{unit, group}, row, 2);
        }
    }
    grid->setRowStretch(static_cast<int>(labels.size()), 1);
    return group;
}

} // namespace

CVPScalPage::CVPScalPage(const CScaling& scaling, QWidget* parent)
    : CPropertyPage{IDD_VP_SCALING, QStringLiteral("Skalierung"), parent}, m_scaling{scaling}
{
    SetHelpPage(this, "daten.html#skalierung");
    scaling.GetXRange(m_xFrom, m_xTo, m_xStep);
    scaling.GetYRange(m_yFrom, m_yTo, m_yStep);
    m_autoScaleY = scaling.GetAutoScaleY() != 0;
    m_labelAxes = scaling.GetLabelAxes() != 0;
    m_showTerms = scaling.GetShowTerms() != 0;
    m_equalUnits = scaling.GetEqualUnits();
    m_gridType = scaling.GetGridType();
    scaling.GetPrintSize(m_printX, m_printY);

    for (int i = 0; i < 8; ++i) {
        m_fields[i] = new CNumberField{this};
        m_fields[i]->setObjectName(ControlName(kFieldIds[i]));
        // Room for a value like -12.5 or 0.0001 without scrolling.
        m_fields[i]->setMinimumWidth(
            m_fields[i]->fontMetrics().horizontalAdvance(QString{9, QLatin1Char('0')}));
    }
    QGroupBox* xGroup =
        FieldGroup(QStringLiteral("X-Achse"),
                   {QStringLiteral("&von:"), QStringLiteral("&bis:"), QStringLiteral("&Schritt:")},
                   &m_fields[kXFrom], {}, this);
    QGroupBox* yGroup =
        FieldGroup(QStringLiteral("Y-Achse"),
                   {QStringLiteral("v&on:"), QStringLiteral("b&is:"), QStringLiteral("S&chritt:")},
                   &m_fields[kYFrom], {}, this);
    QGroupBox* printGroup =
        FieldGroup(QStringLiteral("Ausdruck"), {QStringLiteral("&x-Achse:"), QStringLiteral("&y-Achse:")},
                   &m_fields[kPrintX], QStringLiteral("cm"), this);

    auto* otherGroup = new QGroupBox{QStringLiteral("Sonstiges"), this};
    m_autoScaleBox = new QCheckBox{QStringLiteral("A&utomatische Skalierung der Y-Achse"), otherGroup};
    m_autoScaleBox->setObjectName(ControlName(IDC_AUTO_SCALE_Y));
    m_labelAxesBox = new QCheckBox{QStringLiteral("Ac&hsen des Graphen beschriften"), otherGroup};
    m_labelAxesBox->setObjectName(ControlName(IDC_LABEL_AXES));
    m_showTermsBox = new QCheckBox{QStringLiteral("&Funktionsterme anzeigen"), otherGroup};
    m_showTermsBox->setObjectName(ControlName(IDC_SHOW_TERMS));
    m_equalUnitsBox = new QCheckBox{QStringLiteral("G&leiche Einheiten (1:1)"), otherGroup};
    m_equalUnitsBox->setObjectName(kIdEqualUnits);
    auto* otherLayout = new QVBoxLayout{otherGroup};
    otherLayout->addWidget(m_autoScaleBox);
    otherLayout->addWidget(m_labelAxesBox);
    otherLayout->addWidget(m_showTermsBox);
    otherLayout->addWidget(m_equalUnitsBox);
    otherLayout->addStretch();

    auto* gridGroup = new QGroupBox{QStringLiteral("Koordinatengitter"), this};
    m_gridList = new QComboBox{gridGroup};
    m_gridList->setObjectName(ControlName(IDC_GRID));
    m_gridList->addItems(
        {QStringLiteral("Kein Gitter"), QStringLiteral("gestrichelte Linien"), QStringLiteral("Punkte")});
    auto* gridLabel = new QLabel{QStringLiteral("Art des &Gitters:"), gridGroup};
    gridLabel->setBuddy(m_gridList);
    auto* gridLayout = new QHBoxLayout{gridGroup};
    gridLayout->addWidget(gridLabel);
    gridLayout->addWidget(m_gridList, 1);

    auto* layout = new QGridLayout{this};
    layout->addWidget(xGroup, 0, 0);
    layout->addWidget(yGroup, 0, 1);
    layout->addWidget(otherGroup, 0, 2);
    layout->addWidget(printGroup, 1, 0, 1, 2);
    layout->addWidget(gridGroup, 1, 2);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);
    layout->setColumnStretch(2, 1);

    // Tab follows the fields in the order the page reads them.
    const QList<QWidget*> order{m_fields[kXFrom], m_fields[kXTo],   m_fields[kXStep],  m_fields[kYFrom],
                                m_fields[kYTo],   m_fields[kYStep], m_autoScaleBox,    m_labelAxesBox,
                                m_showTermsBox,   m_equalUnitsBox,  m_gridList,       m_fields[kPrintX], m_fields[kPrintY]};
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    connect(m_autoScaleBox, &QCheckBox::clicked, this, &CVPScalPage::OnAutoScaleClicked);
}

bool CVPScalPage::UpdateData(bool saveAndValidate)
{
    double* const values[8] = {&m_xFrom, &m_xTo, &m_xStep, &m_yFrom, &m_yTo, &m_yStep, &m_printX, &m_printY};
    if (!saveAndValidate) {
        for (int i = 0; i < 8; ++i) {
            m_fields[i]->SetValue(*values[i]);
        }
        m_autoScaleBox->setChecked(m_autoScaleY);
        m_labelAxesBox->setChecked(m_labelAxes);
        m_showTermsBox->setChecked(m_showTerms);
        m_equalUnitsBox->setChecked(m_equalUnits);
        // A grid type from a file that the list does not hold shows no entry and is kept.
        m_gridList->setCurrentIndex(m_gridType >= 0 && m_gridType < m_gridList->count() ? m_gridType : -1);
        EnableYFields();
        return true;
    }
    // In the order of the controls on the page, so the first refused field is the one shown.
    for (int i = 0; i < 6; i += 3) {
        if (!ReadRange(*m_fields[i], *m_fields[i + 1], *m_fields[i + 2], *values[i], *values[i + 1],
                       *values[i + 2])) {
            return false;
        }
    }
    m_autoScaleY = m_autoScaleBox->isChecked();
    m_labelAxes = m_labelAxesBox->isChecked();
    m_showTerms = m_showTermsBox->isChecked();
    m_equalUnits = m_equalUnitsBox->isChecked();
    if (m_gridList->currentIndex() >= 0) {
        m_gridType = m_gridList->currentIndex();
    }
    return m_fields[kPrintX]->Read(m_printX) && m_fields[kPrintY]->Read(m_printY);
}

CScaling CVPScalPage::GetScaling() const
{
    CScaling scaling = m_scaling;
    scaling.SetXRange(m_xFrom, m_xTo, m_xStep);
    scaling.SetYRange(m_yFrom, m_yTo, m_yStep);
    scaling.SetAutoScaleY(Flag(m_scaling.GetAutoScaleY(), m_autoScaleY));
    scaling.SetLabelAxes(Flag(m_scaling.GetLabelAxes(), m_labelAxes));
    scaling.SetShowTerms(Flag(m_scaling.GetShowTerms(), m_showTerms));
    scaling.SetGridType(m_gridType);
    scaling.SetPrintSize(m_printX, m_printY);
    scaling.SetEqualUnits(m_equalUnits);
    return scaling;
}

void CVPScalPage::OnAutoScaleClicked()
{
    // A refused field has told the user so; the y fields follow the box all the same.
    UpdateData(true);
    EnableYFields();
}

void CVPScalPage::EnableYFields()
{
    const bool manual = !m_autoScaleBox->isChecked();
    for (int i = kYFrom; i <= kYStep; ++i) {
        m_fields[i]->setEnabled(manual);
    }
}
