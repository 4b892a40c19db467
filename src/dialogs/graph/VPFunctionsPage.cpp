#include "dialogs/graph/VPFunctionsPage.h"

#include "dialogs/addfunction/AddFunctionWizard.h"
#include "dialogs/addfunction/FAColorPage.h"
#include "dialogs/function/FPFunctionPage.h"
#include "dialogs/function/FunctionPropertySheet.h"
#include "dialogs/function/FunctionTexts.h"
#include "document/FunctionPalette.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/MessageBoxes.h"
#include "framework/SettingsStore.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

CVPFunctionsPage::CVPFunctionsPage(CFunctionList functions, QWidget* parent)
    : CPropertyPage{IDD_VP_FUNCTIONS, QStringLiteral("Funktionen"), parent}, m_functions{std::move(functions)}
{
    SetHelpPage(this, "daten.html#funktionen");
    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        m_origins.emplace_back(i);
    }
    auto* group = new QGroupBox{QStringLiteral("Derzeit dargestellte &Funktionen:"), this};
    m_list = new QListWidget{group};
    m_list->setObjectName(ControlName(IDC_FUNCTION_LIST));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* groupLayout = new QVBoxLayout{group};
    groupLayout->addWidget(m_list);

    m_add = new QPushButton{QStringLiteral("&Hinzufügen..."), this};
    m_add->setObjectName(ControlName(IDC_ADD));
    m_edit = new QPushButton{QStringLiteral("&Bearbeiten..."), this};
    m_edit->setObjectName(ControlName(IDC_EDIT));
    m_delete = new QPushButton{QStringLiteral("&Löschen..."), this};
    m_delete->setObjectName(ControlName(IDC_DELETE));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_add, m_edit, m_delete}) {
        // Enter in the sheet means OK, not the button that last had the focus.
        button->setAutoDefault(false);
        buttons->addWidget(button);
    }
    buttons->addStretch();

    auto* layout = new QHBoxLayout{this};
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CVPFunctionsPage::EnableButtons);
    // The list's own handling of the double click goes on after the signal; the edit, which
    // rebuilds the list, starts once it is over.
    connect(m_list, &QListWidget::itemDoubleClicked, this,
            [this] { QTimer::singleShot(0, this, &CVPFunctionsPage::OnEdit); });
    connect(m_add, &QPushButton::clicked, this, &CVPFunctionsPage::OnAdd);
    connect(m_edit, &QPushButton::clicked, this, &CVPFunctionsPage::OnEdit);
    connect(m_delete, &QPushButton::clicked, this, &CVPFunctionsPage::OnDelete);
    FillList();
}

void CVPFunctionsPage::FillList()
{
    m_list->clear();
    for (std::size_t i = 0; i < m_functions.size(); ++i) {
        const std::string& term = m_functions[i].GetTerm();
        auto* item = new QListWidgetItem{MarkedFunctionListEntry(FunctionHead(m_functions, i), term), m_list};
        item->setToolTip(TermFaultNote(term));
    }
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    EnableButtons();
}

int CVPFunctionsPage::Selected() const
{
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    return selected.isEmpty() ? -1 : m_list->row(selected.first());
}

void CVPFunctionsPage::EnableButtons()
{
    const bool selected = Selected() >= 0;
    m_edit->setEnabled(selected);
    m_delete->setEnabled(selected);
}

void CVPFunctionsPage::OnAdd()
{
    CGraphFunction function;
    // Each new function stands out from those already listed; functions from files keep theirs.
    function.SetColor(NextPaletteColor(m_functions));
    if (CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 1) ==
        1) {
        CAddFunctionWizard wizard{this};
        wizard.ColorPage()->m_color = function.GetColor();
        if (wizard.exec() != QDialog::Accepted) {
            return;
        }
        wizard.WriteInto(function);
    } else {
        CFunctionPropertySheet sheet{AddFunctionCaption(), function, this};
        sheet.FunctionPage()->m_defaultName = QString::fromStdString(DefaultFunctionName(m_functions.size()));
        if (sheet.exec() != QDialog::Accepted) {
            return;
        }
        sheet.WriteInto(function);
    }
    m_functions.push_back(function);
    m_origins.emplace_back();
    FillList();
}

void CVPFunctionsPage::OnEdit()
{
    const int index = Selected();
    if (index < 0) {
        return;
    }
    CGraphFunction function = m_functions[static_cast<std::size_t>(index)];
    CFunctionPropertySheet sheet{FunctionCaption(FromRecordText(FunctionHead(m_functions, static_cast<std::size_t>(index))),
                                                 FromRecordText(function.GetTerm())),
                                 function, this};
    sheet.FunctionPage()->m_defaultName =
        QString::fromStdString(DefaultFunctionName(static_cast<std::size_t>(index)));
    if (sheet.exec() != QDialog::Accepted) {
        return;
    }
    sheet.WriteInto(function);
    m_functions[static_cast<std::size_t>(index)] = function;
    FillList();
}

void CVPFunctionsPage::OnDelete()
{
    const int index = Selected();
    if (index < 0) {
        return;
    }
    const QString term = FromRecordText(m_functions[static_cast<std::size_t>(index)].GetTerm());
    const QString head = FromRecordText(FunctionHead(m_functions, static_cast<std::size_t>(index)));
    if (!AskYesNo(this, DeleteFunctionQuestion(head, term))) {
        return;
    }
    m_functions.erase(m_functions.begin() + index);
    m_origins.erase(m_origins.begin() + index);
    FillList();
}
