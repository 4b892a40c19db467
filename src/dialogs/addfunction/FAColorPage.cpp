#include "dialogs/addfunction/FAColorPage.h"

#include "dialogs/function/ColorSwatch.h"
#include "dialogs/function/FPCommentPage.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QColorDialog>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

CFAColorPage::CFAColorPage(QWidget* parent)
    : CFAPage{IDD_FA_COLOR, QStringLiteral("Funktion hinzufügen - Farbe"), parent}
{
    SetHelpPage(this, "daten.html#wizard-farbe");
    AddText({QStringLiteral("Nun können Sie noch die Farbe auswählen, in der die"),
             QStringLiteral("Funktion im Graphen dargestellt wird. Klicken Sie dazu"),
             QStringLiteral("einfach auf den Schalter \"Farbe wählen\".")});
    m_colorButton = new QPushButton{QStringLiteral("&Farbe wählen..."), this};
    m_colorButton->setObjectName(ControlName(IDC_COLOR));
    // Enter walks on through the wizard; the colour is chosen with a click or Alt+F.
    m_colorButton->setAutoDefault(false);
    Column()->addStretch();
    auto* row = new QHBoxLayout;
    row->addStretch();
    m_swatch = new CColorSwatch{this};
    row->addWidget(m_swatch);
    row->addWidget(m_colorButton);
    Column()->addLayout(row);
    connect(m_colorButton, &QPushButton::clicked, this, &CFAColorPage::OnChooseColor);
}

void CFAColorPage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kBack | CWizardSheet::kNext);
    m_swatch->SetColor(m_color);
}

void CFAColorPage::OnChooseColor()
{
    const QColor chosen = QColorDialog::getColor(ColorFromRecord(m_color), this);
    if (chosen.isValid()) {
        m_color = RecordFromColor(chosen);
        m_swatch->SetColor(m_color);
    }
}
