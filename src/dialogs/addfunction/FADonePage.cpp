#include "dialogs/addfunction/FADonePage.h"

#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QVBoxLayout>

CFADonePage::CFADonePage(QWidget* parent)
    : CFAPage{IDD_FA_DONE, QStringLiteral("Funktion hinzufügen - Abgeschlossen"), parent}
{
    SetHelpPage(this, "daten.html#wizard-abschluss");
    AddText({QStringLiteral("Sie haben nun alle Daten eingegeben, die nötig sind, um"),
             QStringLiteral("die Funktion in den Funktions-Graphen einzufügen."),
             QStringLiteral("Klicken Sie nun auf \"Fertigstellen\", um die Funktion auch"),
             QStringLiteral("tatsächlich in den Graphen einzufügen.")});
    Column()->addStretch();
}

void CFADonePage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kBack | CWizardSheet::kFinish);
}
