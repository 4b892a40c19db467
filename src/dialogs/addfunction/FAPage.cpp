#include "dialogs/addfunction/FAPage.h"

#include "dialogs/addfunction/FAPicture.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CFAPage::CFAPage(int dialogId, const QString& title, QWidget* parent) : CWizardPage{dialogId, title, parent}
{
    auto* picture = new CFAPicture{this};
    m_column = new QVBoxLayout;
    m_column->setSpacing(10);
    auto* layout = new QHBoxLayout{this};
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(16);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addLayout(m_column, 1);
}

QLabel* CFAPage::AddText(const QStringList& lines)
{
    auto* label = new QLabel{lines.join(QLatin1Char('\n')), this};
    label->setTextFormat(Qt::PlainText);
    m_column->addWidget(label);
    return label;
}
