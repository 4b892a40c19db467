#include "dialogs/graph/VPObjectsPage.h"

#include "dialogs/object/ObjectPropertiesSheet.h"
#include "engine/TextEncoding.h"
#include "engine/NumberText.h"
#include "framework/ShownNumbers.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/MessageBoxes.h"
#include "framework/SettingsStore.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QString Number(double value)
{
    return ShownNumber(value);
}

QPushButton* MakeButton(const QString& text, int id, QWidget* parent)
{
    auto* button = new QPushButton{text, parent};
    button->setObjectName(ControlName(id));
    button->setAutoDefault(false);
    return button;
}

} // namespace

CVPObjectsPage::CVPObjectsPage(CObjectList objects, QWidget* parent)
    : CPropertyPage{IDD_VP_OBJECTS, QStringLiteral("Objekte"), parent}, m_objects{std::move(objects)}
{
    SetHelpPage(this, "daten.html#objekte");
    auto* group = new QGroupBox{QStringLiteral("Derzeit dargestellte &Objekte:"), this};
    m_list = new QListWidget{group};
    m_list->setObjectName(ControlName(IDC_OBJECT_LIST));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // A label of any length shows as far as the list is wide instead of stretching the page.
    m_list->setTextElideMode(Qt::ElideRight);
    m_list->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_list->setUniformItemSizes(true);
    m_addButton = MakeButton(QStringLiteral("&Hinzufügen..."), IDC_ADD, group);
    m_editButton = MakeButton(QStringLiteral("&Bearbeiten..."), IDC_EDIT, group);
    m_deleteButton = MakeButton(QStringLiteral("&Löschen..."), IDC_DELETE, group);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_addButton);
    buttons->addWidget(m_editButton);
    buttons->addWidget(m_deleteButton);
    buttons->addStretch();
    auto* groupLayout = new QHBoxLayout{group};
    groupLayout->addWidget(m_list, 1);
    groupLayout->addLayout(buttons);
    auto* layout = new QVBoxLayout{this};
    layout->addWidget(group);

    connect(m_list, &QListWidget::itemSelectionChanged, this, &CVPObjectsPage::EnableButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CVPObjectsPage::OnEdit);
    connect(m_addButton, &QPushButton::clicked, this, &CVPObjectsPage::OnAdd);
    connect(m_editButton, &QPushButton::clicked, this, &CVPObjectsPage::OnEdit);
    connect(m_deleteButton, &QPushButton::clicked, this, &CVPObjectsPage::OnDelete);
}

QString CVPObjectsPage::EntryText(const CGraphObject& object)
{
    if (!object.IsPoint()) {
        return QStringLiteral("Senkrechte: x=%1").arg(Number(object.GetPosition()));
    }
    double x = 0.0;
    double y = 0.0;
    object.GetCoordinates(x, y);
    return QStringLiteral("Punkt ( %1 | %2 ): %3")
        .arg(Number(x), Number(y), QString::fromStdString(Cp1252ToUtf8(object.GetLabel())));
}

void CVPObjectsPage::SetAreas(CAreaList areas, CFunctionList functions)
{
    m_areas = std::move(areas);
    m_areaFunctions = std::move(functions);
    FillList();
}

QString CVPObjectsPage::AreaText(const CKeptArea& area, const CFunctionList& functions)
{
    const auto name = [&functions](std::size_t index) {
        return index < functions.size() ? QString::fromStdString(Cp1252ToUtf8(FunctionName(functions, index)))
                                        : QStringLiteral("?");
    };
    return QStringLiteral("Fläche zwischen %1 und %2: von %3 bis %4")
        .arg(name(area.function), area.with ? name(*area.with) : QStringLiteral("der x-Achse"),
             Number(area.from), Number(area.to));
}

bool CVPObjectsPage::UpdateData(bool saveAndValidate)
{
    if (!saveAndValidate) {
        FillList();
    }
    return true;
}

void CVPObjectsPage::FillList()
{
    m_list->clear();
    for (const CGraphObject& object : m_objects) {
        m_list->addItem(EntryText(object));
    }
    for (const CKeptArea& area : m_areas) {
        m_list->addItem(AreaText(area, m_areaFunctions));
    }
    m_list->setCurrentRow(-1);
    m_list->clearSelection();
    EnableButtons();
}

int CVPObjectsPage::SelectedRow() const
{
    const int row = m_list->currentRow();
    if (row < 0 || m_list->selectedItems().isEmpty() ||
        static_cast<std::size_t>(row) >= m_objects.size() + m_areas.size()) {
        return -1;
    }
    return row;
}

bool CVPObjectsPage::IsAreaRow(int row) const
{
    return row >= 0 && static_cast<std::size_t>(row) >= m_objects.size();
}

void CVPObjectsPage::EnableButtons()
{
    const bool selected = SelectedRow() >= 0;
    m_editButton->setEnabled(selected && !IsAreaRow(SelectedRow()));
    m_deleteButton->setEnabled(selected);
}

void CVPObjectsPage::OnAdd()
{
    CGraphObject object;
    if (CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 1) !=
        1) {
        object = CObjectPropertiesSheet::NewObject();
        CObjectPropertiesSheet sheet{object, this};
        if (sheet.exec() != QDialog::Accepted) {
            return;
        }
        sheet.WriteTo(object);
    }
    m_objects.push_back(object);
    FillList();
}

void CVPObjectsPage::OnEdit()
{
    const int row = SelectedRow();
    if (row < 0 || IsAreaRow(row)) {
        return;
    }
    CGraphObject object = m_objects[static_cast<std::size_t>(row)];
    CObjectPropertiesSheet sheet{object, this};
    if (sheet.exec() != QDialog::Accepted) {
        return;
    }
    sheet.WriteTo(object);
    m_objects[static_cast<std::size_t>(row)] = object;
    FillList();
}

void CVPObjectsPage::OnDelete()
{
    const int row = SelectedRow();
    if (row < 0) {
        return;
    }
    if (IsAreaRow(row)) {
        if (AskYesNo(this, QStringLiteral("Sind Sie sicher, daß Sie diese Fläche löschen wollen?"))) {
            m_areas.erase(m_areas.begin() + (row - static_cast<int>(m_objects.size())));
            FillList();
        }
        return;
    }
    if (!AskYesNo(this, QStringLiteral("Sind Sie sicher, daß Sie dieses Objekt löschen wollen?"))) {
        return;
    }
    m_objects.erase(m_objects.begin() + row);
    FillList();
}
