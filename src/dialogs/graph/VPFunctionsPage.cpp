#include "dialogs/graph/VPFunctionsPage.h"

#include "dialogs/addfunction/AddFunctionWizard.h"
#include "dialogs/addfunction/FAColorPage.h"
#include "dialogs/function/AntiderivativeDialog.h"
#include "dialogs/function/DerivedCurveDialog.h"
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

#include <algorithm>

CVPFunctionsPage::CVPFunctionsPage(CFunctionList functions, QWidget* parent)
    : CVPFunctionsPage{std::move(functions), CDerivedList{}, parent}
{
}

CVPFunctionsPage::CVPFunctionsPage(CFunctionList functions, CDerivedList derived, QWidget* parent)
    : CPropertyPage{IDD_VP_FUNCTIONS, QStringLiteral("Funktionen"), parent},
      m_functions{std::move(functions)}, m_derived{std::move(derived)}
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
    m_derive = new QPushButton{QStringLiteral("Ableitung &zeichnen"), this};
    m_derive->setObjectName(QStringLiteral("DeriveButton"));
    m_antiderivative = new QPushButton{QStringLiteral("&Stammfunktion zeichnen"), this};
    m_antiderivative->setObjectName(QStringLiteral("AntiderivativeButton"));
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {m_add, m_edit, m_delete, m_derive, m_antiderivative}) {
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
    connect(m_derive, &QPushButton::clicked, this, &CVPFunctionsPage::OnDerive);
    connect(m_antiderivative, &QPushButton::clicked, this, &CVPFunctionsPage::OnAntiderivative);
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
    for (const CDerivedCurve& curve : m_derived) {
        // The row says what the curve is made from; its term cannot be typed, only its source's.
        new QListWidgetItem{DerivedCurveListEntry(m_functions, curve), m_list};
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

int CVPFunctionsPage::SelectedDerived() const
{
    const int row = Selected();
    return row >= static_cast<int>(m_functions.size()) ? row - static_cast<int>(m_functions.size()) : -1;
}

void CVPFunctionsPage::EnableButtons()
{
    const int row = Selected();
    const int derived = SelectedDerived();
    const bool function = row >= 0 && derived < 0;
    m_edit->setEnabled(row >= 0);
    m_delete->setEnabled(row >= 0);
    m_derive->setEnabled(function ||
                         (derived >= 0 && m_derived[static_cast<std::size_t>(derived)].GetKind() ==
                                              EDerivedKind::FirstDerivative));
    m_antiderivative->setEnabled(function);
}

void CVPFunctionsPage::AddDerived(const CDerivedCurve& curve)
{
    const auto same = std::find(m_derived.begin(), m_derived.end(), curve);
    // The same curve twice would only draw over itself: the one there is selected instead.
    const auto index =
        same != m_derived.end() ? same - m_derived.begin() : static_cast<std::ptrdiff_t>(m_derived.size());
    if (same == m_derived.end()) {
        m_derived.push_back(curve);
    }
    FillList();
    m_list->setCurrentRow(static_cast<int>(m_functions.size()) + static_cast<int>(index));
}

void CVPFunctionsPage::OnDerive()
{
    const int row = Selected();
    const int derived = SelectedDerived();
    if (row < 0) {
        return;
    }
    if (derived < 0) {
        AddDerived(
            NewDerivedCurve(m_functions, static_cast<std::size_t>(row), EDerivedKind::FirstDerivative));
    } else if (m_derived[static_cast<std::size_t>(derived)].GetKind() == EDerivedKind::FirstDerivative) {
        AddDerived(NewDerivedCurve(m_functions, m_derived[static_cast<std::size_t>(derived)].GetSource(),
                                   EDerivedKind::SecondDerivative));
    }
}

void CVPFunctionsPage::OnAntiderivative()
{
    const int row = Selected();
    if (row < 0 || SelectedDerived() >= 0) {
        return;
    }
    CDerivedCurve curve =
        NewDerivedCurve(m_functions, static_cast<std::size_t>(row), EDerivedKind::Antiderivative);
    CAntiderivativeDialog dialog{FromRecordText(DerivedCurveName(m_functions, curve)), this};
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    curve.SetStart(dialog.X0(), dialog.Y0());
    AddDerived(curve);
}

void CVPFunctionsPage::EditDerived(std::size_t index)
{
    const CDerivedCurve& curve = m_derived[index];
    const std::size_t source = curve.GetSource();
    CDerivedCurveDialog dialog{
        FromRecordText(DerivedCurveName(m_functions, curve)),
        FromRecordText(FunctionHead(m_functions, source) + "(x)=" + m_functions[source].GetTerm()), curve,
        this};
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    m_derived[index] = dialog.Curve();
    FillList();
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
    if (SelectedDerived() >= 0) {
        EditDerived(static_cast<std::size_t>(SelectedDerived()));
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
    if (const int derived = SelectedDerived(); derived >= 0) {
        const CDerivedCurve& curve = m_derived[static_cast<std::size_t>(derived)];
        if (AskYesNo(this, QStringLiteral("Soll die Kurve %1(x) gelöscht werden?")
                               .arg(FromRecordText(DerivedCurveName(m_functions, curve))))) {
            m_derived.erase(m_derived.begin() + derived);
            FillList();
        }
        return;
    }
    const QString term = FromRecordText(m_functions[static_cast<std::size_t>(index)].GetTerm());
    const QString head = FromRecordText(FunctionHead(m_functions, static_cast<std::size_t>(index)));
    if (!AskYesNo(this, DeleteFunctionQuestion(head, term))) {
        return;
    }
    m_functions.erase(m_functions.begin() + index);
    EraseDerivedOfFunction(m_derived, static_cast<std::size_t>(index));
    m_origins.erase(m_origins.begin() + index);
    FillList();
}
