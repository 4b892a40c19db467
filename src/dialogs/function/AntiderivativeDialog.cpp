#include "dialogs/function/AntiderivativeDialog.h"

#include "framework/DialogIds.h"
#include "framework/NumberField.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAntiderivativeDialog::CAntiderivativeDialog(const QString& name, QWidget* parent) : QDialog{parent}
{
    setObjectName(QStringLiteral("AntiderivativeDialog"));
    setWindowTitle(QStringLiteral("Stammfunktion zeichnen"));
    m_x0Field = new CNumberField{this};
    m_x0Field->setObjectName(QStringLiteral("X0"));
    m_x0Field->SetValue(0.0);
    m_y0Field = new CNumberField{this};
    m_y0Field->setObjectName(QStringLiteral("Y0"));
    m_y0Field->SetValue(0.0);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("x&0:"), m_x0Field);
    form->addRow(QStringLiteral("y&0:"), m_y0Field);
    auto* buttons = new QDialogButtonBox{QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this};
    buttons->button(QDialogButtonBox::Ok)->setObjectName(kIdOk);
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(kIdCancel);
    auto* layout = new QVBoxLayout{this};
    layout->addWidget(new QLabel{
        QStringLiteral("Die Stammfunktion %1 geht durch den Punkt mit %1(x0) = y0.").arg(name), this});
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void CAntiderivativeDialog::accept()
{
    double x0{}, y0{};
    if (!m_x0Field->Read(x0) || !m_y0Field->Read(y0)) {
        return;
    }
    m_x0 = x0;
    m_y0 = y0;
    QDialog::accept();
}
