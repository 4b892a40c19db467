#include "dialogs/options/OptionsSheet.h"

#include "dialogs/options/OptGenPage.h"
#include "dialogs/options/OptUIPage.h"
#include "framework/CommandIds.h"
#include "framework/Resources.h"
#include "framework/SettingsStore.h"

namespace {

const QString kSettings = QStringLiteral("Settings");
const QString kTip = QStringLiteral("Tip");

} // namespace

COptionsSheet::COptionsSheet(QWidget* parent) : CPropertySheet{LoadString(IDS_OPTIONS_CAPTION), parent, true}
{
    setObjectName(QStringLiteral("IDS_1101"));
    m_general = new COptGenPage;
    m_interface = new COptUIPage;
    ReadSettings();
    AddPage(m_general);
    AddPage(m_interface);
    SetActivePage(0);
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
    m_general->SetSchoolNotation(store.GetProfileInt(kSettings, QStringLiteral("SchoolNotation"), 1));
    m_general->SetDecimalComma(store.GetProfileInt(kSettings, QStringLiteral("DecimalComma"), 0));
}

void COptionsSheet::WriteSettings()
{
    CSettingsStore& store = CSettingsStore::Instance();
    store.WriteProfileInt(kSettings, QStringLiteral("StartFullScreen"), m_general->GetFullScreen());
    store.WriteProfileInt(kTip, QStringLiteral("StartUp"), m_general->GetShowTip() == 0 ? 1 : 0);
    store.WriteProfileInt(kSettings, QStringLiteral("StartLogo"), m_general->GetStartLogo());
    store.WriteProfileInt(kSettings, QStringLiteral("Precision"), m_general->GetPrecision());
    store.WriteProfileInt(kSettings, QStringLiteral("NoviceUI"), m_interface->GetMode());
    store.WriteProfileInt(kSettings, QStringLiteral("SchoolNotation"), m_general->GetSchoolNotation());
    store.WriteProfileInt(kSettings, QStringLiteral("DecimalComma"), m_general->GetDecimalComma());
}

void COptionsSheet::done(int result)
{
    if (result == QDialog::Accepted) {
        WriteSettings();
    }
    CPropertySheet::done(result);
}
