#include "dialogs/copy/CDonePage.h"

#include "dialogs/copy/CopyOptions.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QLabel>
#include <QVBoxLayout>

CCDonePage::CCDonePage(QWidget* parent)
    : CWizardPage{IDD_C_DONE, QStringLiteral("Kopieren - Fertigstellen"), parent}
{
    SetHelpPage(this, "kopieren.html#hinweis");

    auto* text = new QLabel{
        QStringLiteral("Alle Angaben sind vollständig.\n\n"
                       "Wenn Sie jetzt auf „Fertigstellen“ klicken, wird der Graph in die Zwischenablage kopiert. "
                       "Fügen Sie ihn anschließend im gewünschten Programm ein, meist mit Strg+V.\n\n"
                       "Mit „Zurück“ können Sie Ihre Angaben noch ändern."),
        this};
    text->setWordWrap(true);
    auto* content = new QVBoxLayout;
    content->addWidget(text);
    content->addStretch();
    PlaceBesideCopyPicture(this, content);
}

CCDonePage::~CCDonePage() = default;

void CCDonePage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kBack | CWizardSheet::kFinish);
}
