#pragma once

#include "document/GraphFunction.h"
#include "framework/PropertyPage.h"

#include <cstddef>
#include <optional>
#include <vector>

class QListWidget;
class QPushButton;

// "Funktionen": the working copy of the graph's functions, listed as "f(x)=<term>" in their
// order. Adding, editing and deleting change only the copy; the graph properties sheet hands it
// to the document on OK.
class CVPFunctionsPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVPFunctionsPage)

public:
    explicit CVPFunctionsPage(CFunctionList functions, QWidget* parent = nullptr);

    const CFunctionList& GetFunctions() const { return m_functions; }
    // For each function of the copy, where it stood in the list the page was given; nothing for
    // one added here. The graph's kept areas follow their functions by it.
    const std::vector<std::optional<std::size_t>>& Origins() const { return m_origins; }

    QListWidget* List() const { return m_list; }
    QPushButton* AddButton() const { return m_add; }
    QPushButton* EditButton() const { return m_edit; }
    QPushButton* DeleteButton() const { return m_delete; }

public slots:
    // In novice mode ("Settings"/"NoviceUI" 1, the default) the add-function wizard, otherwise
    // the function property sheet.
    void OnAdd();
    void OnEdit();
    void OnDelete();

private:
    void FillList();
    void EnableButtons();
    int Selected() const;

    CFunctionList m_functions;
    std::vector<std::optional<std::size_t>> m_origins;
    QListWidget* m_list{nullptr};
    QPushButton* m_add{nullptr};
    QPushButton* m_edit{nullptr};
    QPushButton* m_delete{nullptr};
};
