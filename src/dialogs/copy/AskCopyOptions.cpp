#include "dialogs/copy/AskCopyOptions.h"

#include "dialogs/copy/CopyDialog.h"
#include "dialogs/copy/CopyWizard.h"
#include "framework/SettingsStore.h"

bool AskCopyOptions(QWidget* parent, SCopyOptions& options)
{
    const int novice =
        CSettingsStore::Instance().GetProfileInt(QStringLiteral("Settings"), QStringLiteral("NoviceUI"), 1);
    if (novice == 1) {
        CCopyWizard wizard{options, parent};
        if (wizard.exec() != QDialog::Accepted) {
            return false;
        }
        options = wizard.Options();
        return true;
    }
    CCopyDialog dialog{options, parent};
    if (dialog.exec() != QDialog::Accepted) {
        return false;
    }
    options = dialog.Options();
    return true;
}
