#include "dialogs/VPObjectsPage.h"

#include <QListWidget>
#include <QVBoxLayout>

CVPObjectsPage::CVPObjectsPage(CObjectList objects, QWidget* parent)
    : CPropertyPage{155, QStringLiteral("Objekte"), parent}, m_objects{std::move(objects)}
{
    m_list = new QListWidget{this};
    m_list->setObjectName(QStringLiteral("IDC_1078"));
    auto* layout = new QVBoxLayout{this};
    layout->addWidget(m_list);
}
