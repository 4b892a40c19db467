#include "dialogs/copy/CopyOptions.h"

#include "framework/CommandIds.h"
#include "framework/Pictures.h"
#include "framework/Resources.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPixmap>

bool TakeIntegerField(QLineEdit* field, int minimum, int maximum, int& value)
{
    bool ok = false;
    const int number = field->text().trimmed().toInt(&ok, 10);
    QString refusal;
    if (!ok) {
        refusal = QStringLiteral("Geben Sie eine ganze Zahl ein.");
    } else if (number < minimum || number > maximum) {
        refusal =
            QStringLiteral("Geben Sie eine ganze Zahl zwischen %1 und %2 ein.").arg(minimum).arg(maximum);
    }
    if (refusal.isEmpty()) {
        value = number;
        return true;
    }
    QMessageBox::warning(field->window(), LoadString(IDS_APP_TITLE), refusal);
    field->setFocus(Qt::OtherFocusReason);
    field->selectAll();
    return false;
}

void PlaceBesideCopyPicture(QWidget* page, QLayout* content)
{
    auto* picture = new QLabel{page};
    picture->setObjectName(QStringLiteral("IDB_149"));
    picture->setPixmap(QPixmap::fromImage(CopyWizardPicture()));
    picture->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    picture->setFrameShape(QFrame::Panel);
    picture->setFrameShadow(QFrame::Sunken);

    auto* layout = new QHBoxLayout{page};
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addSpacing(12);
    layout->addLayout(content, 1);
}
