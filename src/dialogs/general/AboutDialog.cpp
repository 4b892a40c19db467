#include "dialogs/general/AboutDialog.h"

#include "ProductInfo.h"
#include "framework/DialogIds.h"
#include "framework/HelpWindow.h"
#include "framework/Pictures.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

CAboutDialog::CAboutDialog(QWidget* parent) : QDialog{parent}
{
    SetHelpPage(this, "befehle.html#hilfe");
    setObjectName(DialogName(IDD_ABOUTBOX));
    setWindowTitle(QStringLiteral("Info über..."));

    auto* icon = new QLabel{this};
    icon->setObjectName(QStringLiteral("IDR_MAINFRAME"));
    icon->setPixmap(ProgramIcon().pixmap(QSize(32, 32)));
    icon->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    auto* title = new QLabel{QStringLiteral(VEX_PRODUCT_NAME " Version " VEX_VERSION), this};
    title->setObjectName(ControlName(IDC_PRODUCT));
    QFont bold = title->font();
    bold.setWeight(QFont::Bold);
    title->setFont(bold);

    auto* releaseLabel = new QLabel{QStringLiteral("Release:"), this};
    auto* release = new QLabel{this};
    release->setObjectName(ControlName(IDC_RELEASE));
    release->setText(QStringLiteral(VEX_RELEASE_DAY));
    release->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton{QStringLiteral("&Ok"), this};
    ok->setObjectName(kIdOk);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texts = new QGridLayout;
    texts->addWidget(title, 0, 0, 1, 2);
    texts->addWidget(releaseLabel, 1, 0);
    texts->addWidget(release, 1, 1);
    texts->setColumnStretch(1, 1);
    texts->setRowStretch(2, 1);
    texts->setVerticalSpacing(12);

    auto* body = new QHBoxLayout;
    body->addWidget(icon);
    body->addSpacing(16);
    body->addLayout(texts, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addStretch();

    auto* layout = new QVBoxLayout{this};
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addLayout(body, 1);
    layout->addLayout(buttons);
    // About the size of the box's 210 by 143 dialog units.
    resize(330, 170);
}

CAboutDialog::~CAboutDialog() = default;
