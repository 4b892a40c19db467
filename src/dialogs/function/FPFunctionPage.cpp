#include "dialogs/function/FPFunctionPage.h"

#include "dialogs/function/FunctionTexts.h"
#include "dialogs/function/TermHint.h"
#include "framework/Cp1252Validator.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/LineStrokeFields.h"
#include "framework/NumberField.h"
#include "framework/PropertySheet.h"
#include "framework/RangeFields.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <limits>

CFPFunctionPage::CFPFunctionPage(QWidget* parent)
    : CPropertyPage{IDD_FP_FUNCTION, QStringLiteral("Funktion"), parent}
{
    SetHelpPage(this, "daten.html#funktion");
    auto* termGroup = new QGroupBox{QStringLiteral("Funktion"), this};
    auto* termLabel = m_termLabel = new QLabel{QStringLiteral("f(x) ="), termGroup};
    m_termField = new QLineEdit{termGroup};
    m_termField->setObjectName(ControlName(IDC_TERM));
    m_termRule = new CCp1252Validator{kMaxTermLength, m_termField};
    m_termRule->TakeFormulaMinus();
    m_termField->setValidator(m_termRule);
    // The rule decides the length; the field's own limit would cut a long term from a file.
    m_termField->setMaxLength(std::numeric_limits<int>::max());
    termLabel->setBuddy(m_termField);
    auto* nameLabel = new QLabel{QStringLiteral("&Name:"), termGroup};
    m_nameField = new QLineEdit{termGroup};
    m_nameField->setObjectName(QStringLiteral("functionName"));
    m_nameField->setValidator(new CCp1252Validator{kMaxNameLength, m_nameField});
    nameLabel->setBuddy(m_nameField);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(m_nameField, 1);
    auto* termRow = new QHBoxLayout;
    termRow->addWidget(termLabel);
    termRow->addWidget(m_termField, 1);
    m_hintLabel = new QLabel{termGroup};
    m_hintLabel->setObjectName(QStringLiteral("termHint"));
    m_hintLabel->setWordWrap(true);
    auto* termLayout = new QVBoxLayout{termGroup};
    termLayout->addLayout(nameRow);
    termLayout->addLayout(termRow);
    termLayout->addWidget(m_hintLabel);

    auto* familyGroup = new QGroupBox{QStringLiteral("Scharkonstante"), this};
    m_familyBox = new QCheckBox{QStringLiteral("&Scharkonstante verwenden"), familyGroup};
    m_familyBox->setObjectName(ControlName(IDC_FAMILY));
    m_fromField = new CNumberField{familyGroup};
    m_fromField->setObjectName(ControlName(IDC_FAMILY_FROM));
    m_toField = new CNumberField{familyGroup};
    m_toField->setObjectName(ControlName(IDC_FAMILY_TO));
    m_stepField = new CNumberField{familyGroup};
    m_stepField->setObjectName(ControlName(IDC_FAMILY_STEP));
    auto* rangeLayout = new QFormLayout;
    rangeLayout->addRow(QStringLiteral("&von:"), m_fromField);
    rangeLayout->addRow(QStringLiteral("&bis:"), m_toField);
    rangeLayout->addRow(QStringLiteral("S&chritt:"), m_stepField);
    auto* familyLayout = new QVBoxLayout{familyGroup};
    familyLayout->addWidget(m_familyBox);
    familyLayout->addLayout(rangeLayout);

    m_strokeFields = new CLineStrokeFields{this};

    auto* layout = new QVBoxLayout{this};
    layout->addWidget(termGroup);
    layout->addWidget(familyGroup);
    layout->addWidget(m_strokeFields);
    layout->addStretch();

    connect(m_termField, &QLineEdit::textChanged, this, &CFPFunctionPage::OnTermChanged);
    connect(m_nameField, &QLineEdit::textChanged, this, &CFPFunctionPage::OnTermChanged);
    connect(m_familyBox, &QCheckBox::clicked, this, &CFPFunctionPage::OnFamilyClicked);
}

bool CFPFunctionPage::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        m_filling = true;
        // A longer term from a file is shown whole; it may be shortened but not grow.
        m_nameField->setPlaceholderText(m_defaultName);
        m_nameField->setText(m_name);
        m_termRule->AllowLengthOf(m_term);
        m_termField->setText(m_term);
        m_termField->setCursorPosition(0);
        m_filled = m_term;
        m_familyBox->setChecked(m_useFamilyConstant != 0);
        m_fromField->SetValue(m_from);
        m_toField->SetValue(m_to);
        m_stepField->SetValue(m_step);
        m_strokeFields->SetStroke(m_stroke);
        ShowHead();
        m_filling = false;
        return true;
    }
    m_term = Read().stored;
    // Blanks around a name are typing slips; the automatic name typed out stays automatic.
    m_name = m_nameField->text().trimmed();
    if (m_name == m_defaultName) {
        m_name.clear();
    }
    if (m_familyBox->isChecked() != (m_useFamilyConstant != 0)) {
        m_useFamilyConstant = m_familyBox->isChecked() ? 1 : 0;
    }
    // Read and checked also while the family constant is off: the values are kept either way.
    return ReadRange(*m_fromField, *m_toField, *m_stepField, m_from, m_to, m_step) &&
           m_strokeFields->Read(m_stroke);
}

void CFPFunctionPage::OnSetActive()
{
    EnableRangeFields();
    EnableOk();
    m_termField->setFocus();
}

void CFPFunctionPage::OnTermChanged()
{
    if (m_filling) {
        return;
    }
    // A range field that holds no number is reported at this keystroke already; the term has
    // been read before it, so OK and the caption follow the term all the same.
    UpdateData(true);
    EnableOk();
    ShowHead();
    if (CPropertySheet* sheet = Sheet()) {
        sheet->setWindowTitle(FunctionCaption(Head(), m_term));
    }
}

QString CFPFunctionPage::Head() const
{
    // As the page shows it now: the name typed, else the automatic one.
    QString head = m_nameField->text().trimmed();
    if (head.isEmpty()) {
        head = m_defaultName.isEmpty() ? QStringLiteral("f") : m_defaultName;
    }
    return m_familyBox->isChecked() ? head + QStringLiteral("_k") : head;
}

void CFPFunctionPage::ShowHead()
{
    m_termLabel->setText(Head() + QStringLiteral("(x) ="));
}

void CFPFunctionPage::OnFamilyClicked()
{
    ShowHead();
    UpdateData(true);
    EnableRangeFields();
}

void CFPFunctionPage::EnableRangeFields()
{
    const bool use = m_familyBox->isChecked();
    for (CNumberField* field : {m_fromField, m_toField, m_stepField}) {
        field->setEnabled(use);
    }
}

STypedTerm CFPFunctionPage::Read() const
{
    const QString text = m_termField->text();
    return ReadTypedTerm(text, SchoolNotationOn() && text != m_filled);
}

void CFPFunctionPage::EnableOk()
{
    const STypedTerm read = Read();
    m_hintLabel->setText(read.hint);
    if (CPropertySheet* sheet = Sheet()) {
        sheet->EnableOk(read.usable);
    }
}
