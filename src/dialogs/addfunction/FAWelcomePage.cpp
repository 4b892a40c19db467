#include "dialogs/addfunction/FAWelcomePage.h"

#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QLabel>
#include <QVBoxLayout>

CFAWelcomePage::CFAWelcomePage(QWidget* parent)
    : CFAPage{IDD_FA_WELCOME, QStringLiteral("Funktion hinzufügen - Willkommen"), parent}
{
    SetHelpPage(this, "daten.html#wizard");
    QLabel* welcome = AddText({QStringLiteral("Willkommen!")});
    QFont font = welcome->font();
    font.setBold(true);
    font.setPointSizeF(font.pointSizeF() * 1.4);
    welcome->setFont(font);
    AddText({QStringLiteral("Mit Hilfe dieses Wizards können Sie schnell und leicht"),
             QStringLiteral("eine neue Funktion in den Funktions-Graphen einfügen.")});
    AddText({QStringLiteral("Mit der Taste \"Weiter\" können Sie jeweils den nächsten"),
             QStringLiteral("Schritt innerhalb dieses Wizards aufrufen, während Sie"),
             QStringLiteral("mit \"Zurück\" zu den vorherigen Schritten zurückkehren"),
             QStringLiteral("können. Der Wizard kann jederzeit über \"Abbrechen\""),
             QStringLiteral("beendet werden, wobei keine Änderungen am Funktions-"),
             QStringLiteral("Graphen vorgenommen werden.")});
    AddText({QStringLiteral("Wenn Sie nun bereit sind, den Wizard zu starten, klicken"),
             QStringLiteral("Sie einfach auf \"Weiter\"...")});
    Column()->addStretch();
}

void CFAWelcomePage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kNext);
}
