#include "dialogs/addfunction/FAFunctionPage.h"

#include "dialogs/function/FunctionTexts.h"
#include "dialogs/function/TermHint.h"
#include "framework/Cp1252Validator.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include <limits>

CFAFunctionPage::CFAFunctionPage(QWidget* parent)
    : CFAPage{IDD_FA_FUNCTION, QStringLiteral("Funktion hinzufügen - Funktion"), parent}
{
    SetHelpPage(this, "daten.html#wizard-funktion");
    AddText({QStringLiteral("Als erstes benötigt das Programm den eigentlichen"),
             QStringLiteral("Funktions-Term. Bitte geben Sie diesen nun in der"),
             QStringLiteral("folgenden Zeile ein.")});
    auto* label = new QLabel{QStringLiteral("f(x) ="), this};
    m_termField = new QLineEdit{this};
    m_termField->setObjectName(ControlName(IDC_TERM));
    m_termRule = new CCp1252Validator{kMaxTermLength, m_termField};
    m_termRule->TakeFormulaMinus();
    m_termField->setValidator(m_termRule);
    // The rule decides the length; the field's own limit would cut a long term from a file.
    m_termField->setMaxLength(std::numeric_limits<int>::max());
    label->setBuddy(m_termField);
    auto* row = new QHBoxLayout;
    row->addWidget(label);
    row->addWidget(m_termField, 1);
    Column()->addLayout(row);
    m_hintLabel = new QLabel{this};
    m_hintLabel->setObjectName(QStringLiteral("termHint"));
    m_hintLabel->setWordWrap(true);
    Column()->addWidget(m_hintLabel);
    Column()->addStretch();
    connect(m_termField, &QLineEdit::textChanged, this, &CFAFunctionPage::OnTermChanged);
}

bool CFAFunctionPage::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_term = Read().stored;
        return true;
    }
    m_filling = true;
    m_termRule->AllowLengthOf(m_term);
    m_termField->setText(m_term);
    m_filled = m_term;
    m_filling = false;
    return true;
}

void CFAFunctionPage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kBack | CWizardSheet::kNext);
    EnableNext();
    m_termField->setFocus();
}

void CFAFunctionPage::OnTermChanged()
{
    if (m_filling) {
        return;
    }
    UpdateData(true);
    EnableNext();
}

STypedTerm CFAFunctionPage::Read() const
{
    const QString text = m_termField->text();
    return ReadTypedTerm(text, SchoolNotationOn() && (text != m_filled || m_filled.isEmpty()));
}

void CFAFunctionPage::EnableNext()
{
    const STypedTerm read = Read();
    m_hintLabel->setText(read.hint);
    if (CWizardSheet* wizard = Wizard()) {
        wizard->EnableNext(read.usable);
    }
}
