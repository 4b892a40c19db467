#include "dialogs/addfunction/FAScharPage.h"

#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/NumberField.h"
#include "framework/RangeFields.h"
#include "framework/WizardSheet.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CFAScharPage::CFAScharPage(QWidget* parent)
    : CFAPage{IDD_FA_FAMILY, QStringLiteral("Funktion hinzufügen - Scharkonstante"), parent}
{
    SetHelpPage(this, "daten.html#wizard-schar");
    AddText({QStringLiteral("Sie können, falls Sie es wollen, in der Funktion auch eine"),
             QStringLiteral("Scharkonstante verwenden."),
             QStringLiteral("Möchten Sie eine Scharkonstante verwenden?")});
    m_yes = new QRadioButton{QStringLiteral("&Ja, bitte"), this};
    m_yes->setObjectName(ControlName(IDC_FAMILY));
    m_no = new QRadioButton{QStringLiteral("&Nein, danke"), this};
    m_no->setObjectName(ControlName(IDC_NO_FAMILY));
    auto* choice = new QHBoxLayout;
    choice->addWidget(m_yes);
    choice->addWidget(m_no);
    choice->addStretch();
    Column()->addLayout(choice);

    AddText({QStringLiteral("Bitte geben Sie nun die Werte ein, welche die Schar-"),
             QStringLiteral("konstante annehmen soll.")});
    m_fromField = new CNumberField{this};
    m_fromField->setObjectName(ControlName(IDC_FAMILY_FROM));
    m_toField = new CNumberField{this};
    m_toField->setObjectName(ControlName(IDC_FAMILY_TO));
    m_stepField = new CNumberField{this};
    m_stepField->setObjectName(ControlName(IDC_FAMILY_STEP));
    auto* range = new QFormLayout;
    range->addRow(QStringLiteral("&von:"), m_fromField);
    range->addRow(QStringLiteral("&bis:"), m_toField);
    range->addRow(QStringLiteral("&Schritt:"), m_stepField);
    Column()->addLayout(range);
    Column()->addStretch();

    // Either button's click or an arrow key moves the check; the other follows.
    connect(m_yes, &QRadioButton::toggled, this, &CFAScharPage::OnChoice);
}

bool CFAScharPage::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        (m_useFamilyConstant ? m_yes : m_no)->setChecked(true);
        m_fromField->SetValue(m_from);
        m_toField->SetValue(m_to);
        m_stepField->SetValue(m_step);
        return true;
    }
    m_useFamilyConstant = m_yes->isChecked();
    // Read and checked also while the constant is not used: the values are handed over anyway.
    return ReadRange(*m_fromField, *m_toField, *m_stepField, m_from, m_to, m_step);
}

void CFAScharPage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kBack | CWizardSheet::kNext);
    EnableRangeFields();
}

void CFAScharPage::OnChoice(bool use)
{
    m_useFamilyConstant = use;
    EnableRangeFields();
}

void CFAScharPage::EnableRangeFields()
{
    for (CNumberField* field : {m_fromField, m_toField, m_stepField}) {
        field->setEnabled(m_useFamilyConstant);
    }
}
