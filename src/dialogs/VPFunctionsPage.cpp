#include "dialogs/VPFunctionsPage.h"

#include "document/TextEncoding.h"

#include <QListWidget>
#include <QVBoxLayout>

CVPFunctionsPage::CVPFunctionsPage(CFunctionList functions, QWidget* parent)
    : CPropertyPage{106, QStringLiteral("Funktionen"), parent}, m_functions{std::move(functions)}
{
    m_list = new QListWidget{this};
    m_list->setObjectName(QStringLiteral("IDC_1014"));
    auto* layout = new QVBoxLayout{this};
    layout->addWidget(m_list);
    FillList();
}

void CVPFunctionsPage::FillList()
{
    m_list->clear();
    for (const CGraphFunction& function : m_functions) {
        m_list->addItem(QStringLiteral("f(x)=") + QString::fromStdString(Cp1252ToUtf8(function.GetTerm())));
    }
}
