#include "dialogs/object/FPObjectPage.h"

#include "framework/Cp1252Validator.h"
#include "framework/DialogIds.h"
#include "framework/LineStrokeFields.h"
#include "framework/HelpWindow.h"
#include "framework/NumberField.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>

#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <limits>

CFPObjectPage::CFPObjectPage(QWidget* parent) : CPropertyPage{IDD_FP_OBJECT, QStringLiteral("Objekt"), parent}
{
    SetHelpPage(this, "daten.html#objekt");
    m_pointButton = new QRadioButton{QStringLiteral("&Punkt"), this};
    m_pointButton->setObjectName(ControlName(IDC_POINT));
    m_lineButton = new QRadioButton{QStringLiteral("&Senkrechte:"), this};
    m_lineButton->setObjectName(ControlName(IDC_LINE));
    auto* kindGroup = new QButtonGroup{this};
    kindGroup->addButton(m_pointButton);
    kindGroup->addButton(m_lineButton);
    connect(m_pointButton, &QRadioButton::clicked, this, [this] {
        m_isPoint = true;
        EnableKindFields();
    });
    connect(m_lineButton, &QRadioButton::clicked, this, [this] {
        m_isPoint = false;
        EnableKindFields();
    });

    m_labelField = new QLineEdit{this};
    m_labelField->setObjectName(ControlName(IDC_LABEL));
    // QLineEdit cuts pasted text at 32767 characters without a word; the validator sets the limit.
    // The rule decides the length, so that a paste over the limit is refused with its reason
    // instead of being cut by the field.
    m_labelField->setMaxLength(std::numeric_limits<int>::max());
    m_labelValidator = new CCp1252Validator{kMaxLabelLength, m_labelField};
    m_labelField->setValidator(m_labelValidator);
    auto* labelLabel = new QLabel{QStringLiteral("&Beschriftung:"), this};
    labelLabel->setBuddy(m_labelField);

    auto* coordinatesLabel = new QLabel{QStringLiteral("Koordinaten:"), this};
    m_xField = new CNumberField{this};
    m_xField->setObjectName(ControlName(IDC_POINT_X));
    auto* xLabel = new QLabel{QStringLiteral("&x:"), this};
    xLabel->setBuddy(m_xField);
    m_yField = new CNumberField{this};
    m_yField->setObjectName(ControlName(IDC_POINT_Y));
    auto* yLabel = new QLabel{QStringLiteral("&y:"), this};
    yLabel->setBuddy(m_yField);

    // The eight buttons stand around the point like the label will: 0 above left to 7 below right.
    auto* positionLabel = new QLabel{QStringLiteral("Textposition:"), this};
    m_positionGroup = new QButtonGroup{this};
    auto* square = new QGridLayout;
    square->setSpacing(2);
    static constexpr int kCells[8][2] = {{0, 0}, {0, 1}, {0, 2}, {1, 0}, {1, 2}, {2, 0}, {2, 1}, {2, 2}};
    for (int position = 0; position < 8; ++position) {
        auto* button = new QRadioButton{this};
        button->setObjectName(ControlName(IDC_TEXT_POSITION_FIRST + position));
        button->setAccessibleName(QStringLiteral("Textposition %1").arg(position + 1));
        m_positionGroup->addButton(button, position);
        square->addWidget(button, kCells[position][0], kCells[position][1], Qt::AlignCenter);
        m_pointControls.append(button);
    }
    auto* marker = new QLabel{QStringLiteral("X"), this};
    marker->setAlignment(Qt::AlignCenter);
    square->addWidget(marker, 1, 1, Qt::AlignCenter);
    connect(m_positionGroup, &QButtonGroup::idClicked, this,
            [this](int position) { m_textPosition = position; });

    m_linePositionField = new CNumberField{this};
    m_linePositionField->setObjectName(ControlName(IDC_LINE_POSITION));
    auto* linePositionLabel = new QLabel{QStringLiteral("&Lage: x ="), this};
    linePositionLabel->setBuddy(m_linePositionField);

    m_pointControls << m_labelField << labelLabel << coordinatesLabel << m_xField << xLabel << m_yField
                    << yLabel << positionLabel << marker;

    auto* grid = new QGridLayout;
    grid->setColumnMinimumWidth(0, 16);
    grid->setColumnStretch(2, 1);
    grid->setColumnStretch(4, 1);
    int row = 0;
    grid->addWidget(m_pointButton, row++, 0, 1, 5);
    grid->addWidget(labelLabel, row, 1);
    grid->addWidget(m_labelField, row++, 2, 1, 3);
    grid->addWidget(coordinatesLabel, row++, 1, 1, 4);
    grid->addWidget(xLabel, row, 1, Qt::AlignRight);
    grid->addWidget(m_xField, row, 2);
    grid->addWidget(yLabel, row, 3, Qt::AlignRight);
    grid->addWidget(m_yField, row++, 4);
    grid->addWidget(positionLabel, row, 1, Qt::AlignTop);
    grid->addLayout(square, row++, 2, Qt::AlignLeft);
    grid->setRowMinimumHeight(row++, 8);
    grid->addWidget(m_lineButton, row++, 0, 1, 5);
    grid->addWidget(linePositionLabel, row, 1);
    grid->addWidget(m_linePositionField, row++, 2);

    // Tab goes down the page as it reads: the point with its fields, then the line with its own.
    QList<QWidget*> order{m_pointButton, m_labelField, m_xField, m_yField};
    for (QAbstractButton* button : m_positionGroup->buttons()) {
        order << button;
    }
    m_strokeFields = new CLineStrokeFields{this};
    order << m_lineButton << m_linePositionField << m_strokeFields->WidthField() << m_strokeFields->StyleBox();
    for (qsizetype i = 1; i < order.size(); ++i) {
        setTabOrder(order[i - 1], order[i]);
    }

    auto* layout = new QVBoxLayout{this};
    layout->addLayout(grid);
    layout->addWidget(m_strokeFields);
    layout->addStretch();
}

void CFPObjectPage::OnSetActive()
{
    QLineEdit* first = m_pointButton->isChecked() ? m_labelField : m_linePositionField;
    first->setFocus();
    first->selectAll();
}

bool CFPObjectPage::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        if (!m_xField->Read(m_x) || !m_yField->Read(m_y)) {
            return false;
        }
        m_label = m_labelField->text();
        return m_linePositionField->Read(m_linePosition) && m_strokeFields->Read(m_stroke);
    }
    m_strokeFields->SetStroke(m_stroke);
    m_pointButton->setChecked(m_isPoint);
    m_lineButton->setChecked(!m_isPoint);
    m_labelValidator->AllowLengthOf(m_label);
    m_labelField->setText(m_label);
    m_xField->SetValue(m_x);
    m_yField->SetValue(m_y);
    m_linePositionField->SetValue(m_linePosition);
    if (QAbstractButton* button = m_positionGroup->button(m_textPosition)) {
        button->setChecked(true);
    } else {
        m_positionGroup->setExclusive(false);
        for (QAbstractButton* each : m_positionGroup->buttons()) {
            each->setChecked(false);
        }
        m_positionGroup->setExclusive(true);
    }
    EnableKindFields();
    return true;
}

void CFPObjectPage::EnableKindFields()
{
    for (QWidget* control : m_pointControls) {
        control->setEnabled(m_isPoint);
    }
    m_linePositionField->setEnabled(!m_isPoint);
    m_strokeFields->StyleBox()->setEnabled(!m_isPoint);
}
