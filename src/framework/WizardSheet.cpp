#include "framework/WizardSheet.h"

#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/WizardPage.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

CWizardSheet::CWizardSheet(QWidget* parent, bool withHelp) : QDialog{parent}
{
    m_stack = new QStackedWidget{this};
    auto* line = new QFrame{this};
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    m_back = new QPushButton{QStringLiteral("< &Zurück"), this};
    m_back->setObjectName(kIdBack);
    m_next = new QPushButton{QStringLiteral("&Weiter >"), this};
    m_next->setObjectName(kIdNext);
    m_finish = new QPushButton{QStringLiteral("&Fertigstellen"), this};
    m_finish->setObjectName(kIdFinish);
    m_cancel = new QPushButton{QStringLiteral("Abbrechen"), this};
    m_cancel->setObjectName(kIdCancel);
    m_finish->hide();
    connect(m_back, &QPushButton::clicked, this, &CWizardSheet::Back);
    connect(m_next, &QPushButton::clicked, this, &CWizardSheet::Next);
    connect(m_finish, &QPushButton::clicked, this, &CWizardSheet::accept);
    connect(m_cancel, &QPushButton::clicked, this, &CWizardSheet::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_back);
    // Back and Next stand together, as the arrows on them suggest; Finish takes Next's place.
    buttons->setSpacing(0);
    buttons->addWidget(m_next);
    buttons->addWidget(m_finish);
    buttons->addSpacing(12);
    buttons->addWidget(m_cancel);
    if (withHelp) {
        m_help = new QPushButton{QStringLiteral("&Hilfe"), this};
        m_help->setObjectName(kIdHelp);
        m_help->setAutoDefault(false);
        connect(m_help, &QPushButton::clicked, this, [this] {
            QWidget* page = GetActivePage();
            ShowHelpFor(page ? page : static_cast<QWidget*>(this));
        });
        buttons->addSpacing(6);
        buttons->addWidget(m_help);
    }

    auto* layout = new QVBoxLayout{this};
    layout->addWidget(m_stack, 1);
    layout->addWidget(line);
    layout->addLayout(buttons);
}

CWizardSheet::~CWizardSheet() = default;

void CWizardSheet::AddPage(CWizardPage* page)
{
    page->m_wizard = this;
    m_pages.append(page);
    m_stack->addWidget(page);
    page->UpdateData(false);
}

void CWizardSheet::SetWizardButtons(int flags)
{
    m_back->setEnabled((flags & kBack) != 0);
    const bool finish = (flags & kFinish) != 0;
    m_next->setVisible(!finish);
    m_finish->setVisible(finish);
    m_next->setEnabled((flags & kNext) != 0);
    m_finish->setEnabled(finish);
    (finish ? m_finish : m_next)->setDefault(true);
}

void CWizardSheet::EnableNext(bool enable)
{
    m_next->setEnabled(enable);
}

bool CWizardSheet::Usable(const QPushButton* button)
{
    return !button->isHidden() && button->isEnabled();
}

void CWizardSheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_current < 0 && !m_pages.isEmpty()) {
        ActivatePage(0);
    }
}

void CWizardSheet::ActivatePage(int index)
{
    m_current = index;
    CWizardPage* page = m_pages[index];
    m_stack->setCurrentIndex(index);
    setWindowTitle(page->Title());
    // F1 on a button of the wizard means the step it shows.
    setProperty(kHelpPageProperty, page->property(kHelpPageProperty));
    page->OnSetActive();
    QWidget* focus = focusWidget();
    if (!focus || !page->isAncestorOf(focus)) {
        // Without a field that wants the focus, Enter walks on through the wizard.
        for (QPushButton* button : {m_finish, m_next, m_back, m_cancel}) {
            if (Usable(button)) {
                button->setFocus();
                break;
            }
        }
    }
}

void CWizardSheet::Back()
{
    CWizardPage* page = GetActivePage();
    if (!page || !Usable(m_back) || m_current == 0 || !page->OnWizardBack()) {
        return;
    }
    ActivatePage(m_current - 1);
}

void CWizardSheet::Next()
{
    CWizardPage* page = GetActivePage();
    if (!page || !Usable(m_next) || m_current + 1 >= GetPageCount() || !page->OnWizardNext()) {
        return;
    }
    ActivatePage(m_current + 1);
}

void CWizardSheet::accept()
{
    CWizardPage* page = GetActivePage();
    if (!page || !Usable(m_finish) || !page->OnWizardFinish()) {
        return;
    }
    QDialog::accept();
}
