#include "dialogs/copy/CopyDonePage.h"

#include "dialogs/copy/CopyOptions.h"

#include <QLabel>
#include <QVBoxLayout>

CCDonePage::CCDonePage(QWidget* parent) : QWizardPage{parent}
{
    setObjectName(QStringLiteral("IDD_153"));
    setWindowTitle(QStringLiteral("Kopieren - Fertigstellen"));
    setFinalPage(true);

    auto* text = new QLabel{
        QStringLiteral("Alle Angaben sind vollständig.\n\n"
                       "Wenn Sie jetzt fertigstellen, wird der Graph in die Zwischenablage kopiert. "
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
