#include "dialogs/export/ExportSizeDialog.h"

#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

CExportSizeDialog::CExportSizeDialog(QSize size, QWidget* parent) : QDialog{parent}
{
    setObjectName(DialogName(IDD_EXPORT_SIZE));
    setWindowTitle(QStringLiteral("Exportieren"));
    SetHelpPage(this, "dateien.html#exportieren");
    const auto makeField = [this](int value) {
        auto* field = new QSpinBox{this};
        field->setRange(1, kExportMaxSide);
        field->setValue(std::clamp(value, 1, kExportMaxSide));
        field->setSuffix(QStringLiteral(" Pixel"));
        return field;
    };
    m_width = makeField(size.width());
    m_width->setObjectName(ControlName(IDC_LENGTH));
    m_height = makeField(size.height());
    m_height->setObjectName(ControlName(IDC_HEIGHT));
    auto* fields = new QFormLayout;
    fields->addRow(QStringLiteral("&Breite:"), m_width);
    fields->addRow(QStringLiteral("&Höhe:"), m_height);

    auto* buttons = new QDialogButtonBox{this};
    QPushButton* ok = buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(kIdOk);
    ok->setDefault(true);
    buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole)->setObjectName(kIdCancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout{this};
    layout->addLayout(fields);
    layout->addWidget(buttons);
}

QSize CExportSizeDialog::Size() const
{
    return {m_width->value(), m_height->value()};
}
