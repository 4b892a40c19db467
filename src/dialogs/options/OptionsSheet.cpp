#include "dialogs/options/OptionsSheet.h"

#include "dialogs/options/OptGenPage.h"
#include "dialogs/options/OptUIPage.h"
#include "framework/CommandIds.h"
#include "framework/HelpWindow.h"
#include "framework/Resources.h"
#include "framework/SettingsStore.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kTip = QStringLiteral("Tip");

} // namespace

COptionsSheet::COptionsSheet(QWidget* parent) : QDialog{parent}
{
    setObjectName(QStringLiteral("IDS_1101"));
    setWindowTitle(LoadString(IDS_OPTIONS_CAPTION));

    m_tabs = new QTabWidget{this};
    m_general = new COptGenPage{m_tabs};
    m_interface = new COptUIPage{m_tabs};
    m_tabs->addTab(m_general, QStringLiteral("Allgemein"));
    m_tabs->addTab(m_interface, QStringLiteral("Benutzerführung"));
    m_tabs->setCurrentIndex(0);

    auto* ok = new QPushButton{QStringLiteral("OK"), this};
    ok->setObjectName(QStringLiteral("IDOK"));
    ok->setDefault(true);
    auto* cancel = new QPushButton{QStringLiteral("Abbrechen"), this};
    cancel->setObjectName(QStringLiteral("IDCANCEL"));
    auto* help = new QPushButton{QStringLiteral("&Hilfe"), this};
    help->setObjectName(QStringLiteral("IDHELP"));
    help->setAutoDefault(false);
    connect(ok, &QPushButton::clicked, this, &COptionsSheet::accept);
    connect(cancel, &QPushButton::clicked, this, &COptionsSheet::reject);
    connect(help, &QPushButton::clicked, this,
            [this] { ShowHelpContext(this, HelpContextOf(m_tabs->currentWidget())); });

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    buttons->addWidget(help);
    auto* layout = new QVBoxLayout{this};
    layout->addWidget(m_tabs, 1);
    layout->addLayout(buttons);

    ReadSettings();
}

COptionsSheet::~COptionsSheet() = default;

void COptionsSheet::ReadSettings()
{
    const CSettingsStore& store = CSettingsStore::Instance();
    // "StartUp" is inverted: 0 means the tip is shown at start. Missing, the sheet reads it as
    // "not shown", unlike the tip dialog itself.
    const int showTip = store.GetProfileInt(kTip, QStringLiteral("StartUp"), 1) == 0 ? 1 : 0;
    m_general->SetData(store.GetProfileInt(kSettings, QStringLiteral("StartFullScreen"), 0), showTip,
                       store.GetProfileInt(kSettings, QStringLiteral("StartLogo"), 1),
                       store.GetProfileInt(kSettings, QStringLiteral("Precision"), 3));
    m_interface->SetMode(store.GetProfileInt(kSettings, QStringLiteral("NoviceUI"), 1));
}

void COptionsSheet::WriteSettings()
{
    CSettingsStore& store = CSettingsStore::Instance();
    store.WriteProfileInt(kSettings, QStringLiteral("StartFullScreen"), m_general->m_fullScreen);
    store.WriteProfileInt(kTip, QStringLiteral("StartUp"), m_general->m_showTip == 0 ? 1 : 0);
    store.WriteProfileInt(kSettings, QStringLiteral("StartLogo"), m_general->m_startLogo);
    store.WriteProfileInt(kSettings, QStringLiteral("Precision"), m_general->m_precision);
    store.WriteProfileInt(kSettings, QStringLiteral("NoviceUI"), m_interface->m_mode);
}

void COptionsSheet::accept()
{
    m_general->OnOK();
    WriteSettings();
    QDialog::accept();
}
