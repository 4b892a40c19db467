#pragma once

#include "document/GraphFunction.h"
#include "framework/PropertyPage.h"

class QListWidget;

// "Funktionen": the working copy of the graph's functions, listed as "f(x)=<term>".
class CVPFunctionsPage final : public CPropertyPage
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CVPFunctionsPage)

public:
    explicit CVPFunctionsPage(CFunctionList functions, QWidget* parent = nullptr);

    const CFunctionList& GetFunctions() const { return m_functions; }

private:
    void FillList();

    CFunctionList m_functions;
    QListWidget* m_list{nullptr};
};
