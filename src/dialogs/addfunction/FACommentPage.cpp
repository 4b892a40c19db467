#include "dialogs/addfunction/FACommentPage.h"

#include "framework/Cp1252TextEdit.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QLabel>
#include <QVBoxLayout>

CFACommentPage::CFACommentPage(QWidget* parent)
    : CFAPage{IDD_FA_COMMENT, QStringLiteral("Funktion hinzufügen - Kommentar"), parent}
{
    SetHelpPage(this, "daten.html#wizard-kommentar");
    AddText({QStringLiteral("Wenn Sie wollen, können Sie nun noch eine kurze"),
             QStringLiteral("Beschreibung oder einen Kommentar zu dieser Funktion"),
             QStringLiteral("eingeben. Dieser Text dient lediglich dazu, dem Benutzer"),
             QStringLiteral("später eine leichtere Orientierung innerhalb des Graphen"),
             QStringLiteral("zu ermöglichen, und hat keinerlei weitere Bedeutung.")});
    auto* label = new QLabel{QStringLiteral("&Kommentar:"), this};
    m_commentField = new CCp1252TextEdit{kMaxCommentLength, this};
    m_commentField->setObjectName(ControlName(IDC_COMMENT));
    m_commentField->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    label->setBuddy(m_commentField);
    Column()->addWidget(label);
    Column()->addWidget(m_commentField, 1);
}

bool CFACommentPage::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_comment = m_commentField->Text();
    } else {
        m_commentField->SetText(m_comment);
    }
    return true;
}

void CFACommentPage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kBack | CWizardSheet::kNext);
    m_commentField->setFocus();
}
