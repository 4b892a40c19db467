#include "dialogs/copy/CopyDialog.h"

#include "framework/DialogIds.h"
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
    setObjectName(DialogName(IDD_COPY));
    setWindowTitle(QStringLiteral("Kopieren"));

    auto* typeBox = new QGroupBox{QStringLiteral("Typ"), this};
    m_bitmap = new QRadioButton{QStringLiteral("&Bitmap"), typeBox};
    m_bitmap->setObjectName(ControlName(IDC_BITMAP));
    m_metafile = new QRadioButton{QStringLiteral("&Metafile"), typeBox};
    m_metafile->setObjectName(ControlName(IDC_METAFILE));
    (m_options.type != 0 ? m_bitmap : m_metafile)->setChecked(true);
    connect(m_bitmap, &QRadioButton::clicked, this, [this] { m_options.type = 1; });
    connect(m_metafile, &QRadioButton::clicked, this, [this] { m_options.type = 0; });
    auto* typeLayout = new QVBoxLayout{typeBox};
    typeLayout->addWidget(m_bitmap);
    typeLayout->addWidget(m_metafile);
    typeLayout->addStretch();

    auto* sizeBox = new QGroupBox{QStringLiteral("Größe"), this};
    m_length = new QLineEdit{QString::number(m_options.length), sizeBox};
    m_length->setObjectName(ControlName(IDC_LENGTH));
    m_height = new QLineEdit{QString::number(m_options.height), sizeBox};
    m_height->setObjectName(ControlName(IDC_HEIGHT));
    for (QLineEdit* field : {m_length, m_height}) {
        field->setMaximumWidth(80);
    }
    auto* sizeLayout = new QFormLayout{sizeBox};
    sizeLayout->addRow(QStringLiteral("&Länge:"), m_length);
    sizeLayout->addRow(QStringLiteral("Höh&e:"), m_height);

    auto* ok = new QPushButton{QStringLiteral("OK"), this};
    ok->setObjectName(kIdOk);
    ok->setDefault(true);
    auto* cancel = new QPushButton{QStringLiteral("Abbrechen"), this};
    cancel->setObjectName(kIdCancel);
    auto* help = new QPushButton{QStringLiteral("&Hilfe"), this};
    help->setObjectName(kIdHelp);
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
