#include "framework/PropertySheet.h"

#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/PropertyPage.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

CPropertySheet::CPropertySheet(const QString& caption, QWidget* parent, bool withHelp) : QDialog{parent}
{
    setWindowTitle(caption);
    m_tabs = new QTabWidget{this};
    auto buttons = QDialogButtonBox::Ok | QDialogButtonBox::Cancel;
    if (withHelp) {
        buttons |= QDialogButtonBox::Help;
    }
    m_buttons = new QDialogButtonBox{buttons, this};
    m_buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    m_buttons->button(QDialogButtonBox::Ok)->setObjectName(kIdOk);
    m_buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    m_buttons->button(QDialogButtonBox::Cancel)->setObjectName(kIdCancel);
    if (withHelp) {
        QPushButton* help = m_buttons->button(QDialogButtonBox::Help);
        help->setText(QStringLiteral("&Hilfe"));
        help->setObjectName(kIdHelp);
        connect(help, &QPushButton::clicked, this, [this] {
            QWidget* page = GetActivePage();
            ShowHelpFor(page ? page : static_cast<QWidget*>(this));
        });
    }
    connect(m_buttons, &QDialogButtonBox::accepted, this, &CPropertySheet::accept);
    connect(m_buttons, &QDialogButtonBox::rejected, this, &CPropertySheet::reject);
    connect(m_tabs, &QTabWidget::currentChanged, this, &CPropertySheet::OnCurrentChanged);

    auto* layout = new QVBoxLayout{this};
    layout->addWidget(m_tabs);
    layout->addWidget(m_buttons);
}

CPropertySheet::~CPropertySheet() = default;

void CPropertySheet::AddPage(CPropertyPage* page)
{
    page->m_sheet = this;
    m_pages.append(page);
    m_activated.append(false);
    page->UpdateData(false);
    const bool blocked = m_tabs->blockSignals(true);
    m_tabs->addTab(page, page->Title());
    m_tabs->blockSignals(blocked);
}

void CPropertySheet::SetActivePage(int index)
{
    if (index < 0 || index >= GetPageCount()) {
        return;
    }
    if (m_current < 0) {
        // Before the sheet shows, no page has been entered or left yet.
        const bool blocked = m_tabs->blockSignals(true);
        m_tabs->setCurrentIndex(index);
        m_tabs->blockSignals(blocked);
        return;
    }
    m_tabs->setCurrentIndex(index);
}

int CPropertySheet::GetActiveIndex() const
{
    return m_tabs->currentIndex();
}

QPushButton* CPropertySheet::OkButton() const
{
    return m_buttons->button(QDialogButtonBox::Ok);
}

void CPropertySheet::EnableOk(bool enable)
{
    OkButton()->setEnabled(enable);
}

void CPropertySheet::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (m_current < 0) {
        ActivatePage(m_tabs->currentIndex());
    }
}

void CPropertySheet::ActivatePage(int index)
{
    m_current = index;
    if (CPropertyPage* page = GetPage(index)) {
        m_activated[index] = true;
        // F1 on OK or Abbrechen means the page in front.
        setProperty(kHelpPageProperty, page->property(kHelpPageProperty));
        page->OnSetActive();
    }
}

void CPropertySheet::OnCurrentChanged(int index)
{
    if (m_switching) {
        return;
    }
    CPropertyPage* leaving = GetPage(m_current);
    if (leaving && m_current != index && !leaving->OnKillActive()) {
        // The refused field keeps its page; its message has been shown and it has the focus.
        m_switching = true;
        m_tabs->setCurrentIndex(m_current);
        m_switching = false;
        if (QWidget* focus = leaving->focusWidget()) {
            focus->setFocus();
        }
        return;
    }
    ActivatePage(index);
}

void CPropertySheet::accept()
{
    // Whatever confirms the sheet (a key, a field, a caller) counts only while OK can be pressed.
    if (!OkButton()->isEnabled()) {
        return;
    }
    const int current = GetActiveIndex();
    if (CPropertyPage* page = GetPage(current); page && !page->OnKillActive()) {
        return;
    }
    for (int i = 0; i < GetPageCount(); ++i) {
        if (i == current) {
            continue;
        }
        m_switching = true;
        const bool ok = m_pages[i]->UpdateData(true);
        m_switching = false;
        if (!ok) {
            // Show the page whose field was refused; the field asked for the focus, which a hidden
            // widget receives as soon as it shows.
            m_switching = true;
            m_tabs->setCurrentIndex(i);
            m_switching = false;
            ActivatePage(i);
            return;
        }
    }
    for (CPropertyPage* page : m_pages) {
        page->OnOK();
    }
    QDialog::accept();
}
