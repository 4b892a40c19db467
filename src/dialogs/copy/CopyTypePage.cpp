#include "dialogs/copy/CopyTypePage.h"

#include "dialogs/copy/CopyOptions.h"

#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

CCTypePage::CCTypePage(QWidget* parent) : QWizardPage{parent}
{
    setObjectName(QStringLiteral("IDD_151"));
    setWindowTitle(QStringLiteral("Kopieren - Typ"));

    auto* question = new QLabel{QStringLiteral("In welchem Format soll der Graph kopiert werden?"), this};
    question->setWordWrap(true);
    m_bitmap = new QRadioButton{QStringLiteral("Als &Bitmap"), this};
    m_bitmap->setObjectName(QStringLiteral("IDC_1064"));
    auto* bitmapText = new QLabel{QStringLiteral("Ein Rasterbild aus einzelnen Bildpunkten. Es läßt sich in "
                                                 "fast jedes Programm einfügen."),
                                  this};
    m_metafile = new QRadioButton{QStringLiteral("Als &Metafile"), this};
    m_metafile->setObjectName(QStringLiteral("IDC_1065"));
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

void CCTypePage::initializePage()
{
    (m_type != 0 ? m_bitmap : m_metafile)->setChecked(true);
}
