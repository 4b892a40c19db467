#include "dialogs/copy/CSizePage.h"

#include "dialogs/copy/CopyOptions.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

CCSizePage::CCSizePage(QWidget* parent) : CWizardPage{IDD_C_SIZE, QStringLiteral("Kopieren - Größe"), parent}
{
    SetHelpPage(this, "kopieren.html#groesse");

    auto* question = new QLabel{QStringLiteral("Wie groß soll der kopierte Graph werden? Länge und Höhe "
                                               "liegen jeweils zwischen 100 und 1000."),
                                this};
    question->setWordWrap(true);
    m_lengthField = new QLineEdit{this};
    m_lengthField->setObjectName(ControlName(IDC_LENGTH));
    m_heightField = new QLineEdit{this};
    m_heightField->setObjectName(ControlName(IDC_HEIGHT));
    for (QLineEdit* field : {m_lengthField, m_heightField}) {
        field->setMaximumWidth(80);
    }
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Länge:"), m_lengthField);
    fields->addRow(QStringLiteral("Höh&e:"), m_heightField);

    auto* content = new QVBoxLayout;
    content->addWidget(question);
    content->addSpacing(12);
    content->addLayout(fields);
    content->addStretch();
    PlaceBesideCopyPicture(this, content);
    SetSize(m_length, m_height);
}

CCSizePage::~CCSizePage() = default;

void CCSizePage::SetSize(int length, int height)
{
    m_length = length;
    m_height = height;
    m_lengthField->setText(QString::number(length));
    m_heightField->setText(QString::number(height));
}

bool CCSizePage::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        SetSize(m_length, m_height);
        return true;
    }
    return TakeIntegerField(m_lengthField, kCopyMinSide, kCopyMaxSide, m_length) &&
           TakeIntegerField(m_heightField, kCopyMinSide, kCopyMaxSide, m_height);
}

void CCSizePage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kBack | CWizardSheet::kNext);
}
