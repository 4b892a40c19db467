#include "dialogs/options/OptUIPage.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLabel* Explanation(const QString& text, QWidget* parent)
{
    auto* label = new QLabel{text, parent};
    label->setIndent(20);
    return label;
}

} // namespace

COptUIPage::COptUIPage(QWidget* parent)
    : CPropertyPage{IDD_OPT_INTERFACE, QStringLiteral("Benutzerführung"), parent}
{
    SetHelpPage(this, "optionen.html#benutzerfuehrung");

    auto* box = new QGroupBox{QStringLiteral("Benutzerführung"), this};
    auto* intro = new QLabel{QStringLiteral("Das Programm verfügt über zwei unterschiedliche \n"
                                            "Benutzerführungen:"),
                             box};
    m_novice = new QRadioButton{QStringLiteral("&Einsteiger-Interface"), box};
    m_novice->setObjectName(ControlName(IDC_NOVICE));
    m_advanced = new QRadioButton{QStringLiteral("&Fortgeschrittenen-Interface"), box};
    m_advanced->setObjectName(ControlName(IDC_ADVANCED));
    auto* group = new QButtonGroup{this};
    group->addButton(m_novice);
    group->addButton(m_advanced);
    connect(m_novice, &QRadioButton::clicked, this, [this] { m_mode = 1; });
    connect(m_advanced, &QRadioButton::clicked, this, [this] { m_mode = 0; });

    auto* layout = new QVBoxLayout{box};
    layout->addWidget(intro);
    layout->addSpacing(10);
    layout->addWidget(m_novice);
    layout->addWidget(Explanation(QStringLiteral("Bei dieser Benutzerführung wird die Benutzung\n"
                                                 "des Programm an mehreren Stellen durch sog.\n"
                                                 "Wizard erleichtert."),
                                  box));
    layout->addSpacing(10);
    layout->addWidget(m_advanced);
    layout->addWidget(Explanation(QStringLiteral("Bei dieser Benutzerführung werden die Wizards\n"
                                                 "durch Dialoge ersetzt, in denen die gewünschten\n"
                                                 "Daten schneller eingegeben werden können."),
                                  box));
    layout->addStretch();

    auto* outer = new QVBoxLayout{this};
    outer->addWidget(box);
    SetMode(m_mode);
}

COptUIPage::~COptUIPage() = default;

void COptUIPage::SetMode(int mode)
{
    m_mode = mode;
    UpdateData(false);
}

bool COptUIPage::UpdateData(bool saveAndValidate)
{
    // The clicks keep m_mode; reading the buttons back would turn an unknown stored mode into 0.
    if (!saveAndValidate) {
        (m_mode == 1 ? m_novice : m_advanced)->setChecked(true);
    }
    return true;
}
