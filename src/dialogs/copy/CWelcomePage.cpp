#include "dialogs/copy/CWelcomePage.h"

#include "dialogs/copy/CopyOptions.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QLabel>
#include <QVBoxLayout>

CCWelcomePage::CCWelcomePage(QWidget* parent)
    : CWizardPage{IDD_C_WELCOME, QStringLiteral("Kopieren - Willkommen"), parent}
{
    SetHelpPage(this, "kopieren.html");

    auto* text = new QLabel{
        QStringLiteral("Dieser Wizard kopiert den Funktions-Graphen des aktiven Fensters in die "
                       "Zwischenablage. Von dort können Sie ihn in andere Programme einfügen, zum "
                       "Beispiel in eine Textverarbeitung oder ein Zeichenprogramm.\n\n"
                       "In den nächsten Schritten wählen Sie das Format und die Größe des Bildes."),
        this};
    text->setWordWrap(true);
    auto* content = new QVBoxLayout;
    content->addWidget(text);
    content->addStretch();
    PlaceBesideCopyPicture(this, content);
}

CCWelcomePage::~CCWelcomePage() = default;

void CCWelcomePage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kNext);
}
