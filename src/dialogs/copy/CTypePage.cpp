#include "dialogs/copy/CTypePage.h"

#include "dialogs/copy/CopyOptions.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardSheet.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CCTypePage::CCTypePage(QWidget* parent) : CWizardPage{IDD_C_TYPE, QStringLiteral("Kopieren - Typ"), parent}
{
    SetHelpPage(this, "kopieren.html#typ");

    auto* question = new QLabel{QStringLiteral("In welchem Format soll der Graph kopiert werden?"), this};
    question->setWordWrap(true);
    m_bitmap = new QRadioButton{QStringLiteral("Als &Bitmap"), this};
    m_bitmap->setObjectName(ControlName(IDC_BITMAP));
    auto* bitmapText = new QLabel{QStringLiteral("Ein Rasterbild aus einzelnen Bildpunkten. Es läßt sich in "
                                                 "fast jedes Programm einfügen."),
                                  this};
    m_metafile = new QRadioButton{QStringLiteral("Als &Metafile"), this};
    m_metafile->setObjectName(ControlName(IDC_METAFILE));
    auto* metafileText = new QLabel{QStringLiteral("Eine Vektorgrafik, die auch vergrößert scharf bleibt. "
                                                   "Programme ohne Vektorgrafik erhalten das Rasterbild."),
                                    this};
    for (QLabel* label : {bitmapText, metafileText}) {
        label->setWordWrap(true);
        label->setIndent(20);
    }
    connect(m_bitmap, &QRadioButton::clicked, this, [this] { m_type = 1; });
    connect(m_metafile, &QRadioButton::clicked, this, [this] { m_type = 0; });

    auto* content = new QVBoxLayout;
    content->addWidget(question);
    content->addSpacing(12);
    content->addWidget(m_bitmap);
    content->addWidget(bitmapText);
    content->addSpacing(8);
    content->addWidget(m_metafile);
    content->addWidget(metafileText);
    content->addStretch();
    PlaceBesideCopyPicture(this, content);
}

CCTypePage::~CCTypePage() = default;

bool CCTypePage::UpdateData(bool saveAndValidate)
{
    if (saveAndValidate) {
        m_type = m_bitmap->isChecked() ? 1 : 0;
    } else {
        (m_type != 0 ? m_bitmap : m_metafile)->setChecked(true);
    }
    return true;
}

void CCTypePage::OnSetActive()
{
    Wizard()->SetWizardButtons(CWizardSheet::kBack | CWizardSheet::kNext);
}
