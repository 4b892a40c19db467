#pragma once

#include "document/DerivedCurve.h"
#include "document/GraphFunction.h"
#include "framework/PropertyPage.h"

#include <cstddef>
#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

// "Funktionen": the working copy of the graph's functions, listed as "f(x)=<term>" in their
// order, and below them the curves derived from them ("f'(x)"). Adding, editing and deleting
// change only the copies; the graph properties sheet hands them to the document on OK. A
// function deleted takes its derived curves along.
class CVPFunctionsPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVPFunctionsPage)

public:
    explicit CVPFunctionsPage(CFunctionList functions, QWidget* parent = nullptr);
    CVPFunctionsPage(CFunctionList functions, CDerivedList derived, QWidget* parent = nullptr);

    const CFunctionList& GetFunctions() const { return m_functions; }
    const CDerivedList& GetDerived() const { return m_derived; }
    // For each function of the copy, where it stood in the list the page was given; nothing for
    // one added here. The graph's kept areas follow their functions by it.
    const std::vector<std::optional<std::size_t>>& Origins() const { return m_origins; }

    QListWidget* List() const { return m_list; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }
    QPushButton* DeriveButton() const { return m_derive; }
    QPushButton* AntiderivativeButton() const { return m_antiderivative; }

public slots:
    // In novice mode ("Settings"/"NoviceUI" 1, the default) the add-function wizard, otherwise
    // the function property sheet.
    void OnAdd();
    void OnEdit();
    void OnDelete();
    // f' of the selected function, or f'' when an f' is selected.
    void OnDerive();
    // F of the selected function, through the point the small dialog asks for.
    void OnAntiderivative();

private:
    void FillList();
    void EnableButtons();
    int Selected() const;
    // The derived curve in the selected row, or -1 when a function or nothing is selected.
    int SelectedDerived() const;
    void AddDerived(const CDerivedCurve& curve);
    void EditDerived(std::size_t index);

    CFunctionList m_functions;
    CDerivedList m_derived;
    std::vector<std::optional<std::size_t>> m_origins;
    QListWidget* m_list{nullptr};
    QPushButton* m_add{nullptr};
    QPushButton* m_edit{nullptr};
    QPushButton* m_delete{nullptr};
    QPushButton* m_derive{nullptr};
    QPushButton* m_antiderivative{nullptr};
};
