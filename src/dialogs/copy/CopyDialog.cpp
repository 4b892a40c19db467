#include "dialogs/copy/CopyDialog.h"

#include "framework/HelpWindow.h"

#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

CCopyDialog::CCopyDialog(const SCopyOptions& options, QWidget* parent) : QDialog{parent}, m_options{options}
{
    SetHelpPage(this, "kopieren.html");
    setObjectName(QStringLiteral("IDD_154"));
    setWindowTitle(QStringLiteral("Kopieren"));

    auto* typeBox = new QGroupBox{QStringLiteral("Typ"), this};
    m_bitmap = new QRadioButton{QStringLiteral("&Bitmap"), typeBox};
    m_bitmap->setObjectName(QStringLiteral("IDC_1064"));
    m_metafile = new QRadioButton{QStringLiteral("&Metafile"), typeBox};
    m_metafile->setObjectName(QStringLiteral("IDC_1065"));
    (m_options.type != 0 ? m_bitmap : m_metafile)->setChecked(true);
    connect(m_bitmap, &QRadioButton::clicked, this, [this] { m_options.type = 1; });
    connect(m_metafile, &QRadioButton::clicked, this, [this] { m_options.type = 0; });
    auto* typeLayout = new QVBoxLayout{typeBox};
    typeLayout->addWidget(m_bitmap);
    typeLayout->addWidget(m_metafile);
    typeLayout->addStretch();

    auto* sizeBox = new QGroupBox{QStringLiteral("Größe"), this};
    m_length = new QLineEdit{QString::number(m_options.length), sizeBox};
    m_length->setObjectName(QStringLiteral("IDC_1067"));
    m_height = new QLineEdit{QString::number(m_options.height), sizeBox};
    m_height->setObjectName(QStringLiteral("IDC_1068"));
    for (QLineEdit* field : {m_length, m_height}) {
        field->setMaximumWidth(80);
    }
    auto* sizeLayout = new QFormLayout{sizeBox};
    sizeLayout->addRow(QStringLiteral("&Länge:"), m_length);
    sizeLayout->addRow(QStringLiteral("Höh&e:"), m_height);

    auto* ok = new QPushButton{QStringLiteral("&Ok"), this};
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton{QStringLiteral("&Abbruch"), this};
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    auto* help = new QPushButton{QStringLiteral("&Hilfe"), this};
    help->setObjectName(QStringLiteral("IDHELP"));
    help->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &CCopyDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &CCopyDialog::reject);
    connect(help, &QPushButton::clicked, this, [this] { ShowHelpFor(this); });

    auto* boxes = new QHBoxLayout;
    boxes->addWidget(typeBox);
    boxes->addWidget(sizeBox);
    auto* buttons = new QVBoxLayout;
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    buttons->addStretch();
    auto* layout = new QHBoxLayout{this};
    layout->addLayout(boxes, 1);
    layout->addLayout(buttons);
}

CCopyDialog::~CCopyDialog() = default;

void CCopyDialog::accept()
{
    if (TakeIntegerField(m_length, kCopyMinSide, kCopyMaxSide, m_options.length) &&
        TakeIntegerField(m_height, kCopyMinSide, kCopyMaxSide, m_options.height)) {
        QDialog::accept();
    }
}
